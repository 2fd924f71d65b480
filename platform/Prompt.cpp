#include "platform/Prompt.h"

#include <cstdio>

namespace {

class CStderrPrompt : public CPrompt
{
public:
    Answer Ask(Kind kind, const QString &text, const QString &caption) override
    {
        const QByteArray line = (caption.isEmpty() ? QString() : caption + QStringLiteral(": ")).toUtf8() + text.toUtf8();
        std::fprintf(stderr, "%s\n", line.constData());
        switch (kind) {
        case yesNo: return no;
        case yesNoCancel:
        case okCancel: return cancel;
        default: return ok;
        }
    }
};

CStderrPrompt g_plain;
CPrompt *g_current = nullptr;

} // namespace

CPrompt &CPrompt::Current() { return g_current ? *g_current : g_plain; }

CPrompt *CPrompt::Install(CPrompt *sink)
{
    CPrompt *previous = g_current;
    g_current = sink;
    return previous;
}

void CPrompt::Information(const QString &text, const QString &caption) { Current().Ask(information, text, caption); }
void CPrompt::Warning(const QString &text, const QString &caption) { Current().Ask(warning, text, caption); }
void CPrompt::Error(const QString &text, const QString &caption) { Current().Ask(error, text, caption); }
bool CPrompt::YesNo(const QString &text, const QString &caption) { return Current().Ask(yesNo, text, caption) == yes; }
CPrompt::Answer CPrompt::YesNoCancel(const QString &text, const QString &caption)
{
    return Current().Ask(yesNoCancel, text, caption);
}
bool CPrompt::OkCancel(const QString &text, const QString &caption) { return Current().Ask(okCancel, text, caption) == ok; }
