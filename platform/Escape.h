#pragma once

#include <QString>

// The one place where text becomes part of generated JavaScript, HTML, XML, PHP or ASP. Each function
// names the literal or attribute the text goes into; ordinary text (no quotes, backslashes, line breaks
// or markup characters) comes out unchanged.
namespace CorvEscape {

// Inside a double-quoted script string literal: every backslash doubled, every quotation mark preceded
// by a backslash.
QString ScriptLiteral(const QString &text);

} // namespace CorvEscape
