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

} // namespace

CPrompt &CPrompt::Plain()
{
    static CStderrPrompt plain;
    return plain;
}
