#include "publish/ScreenFiles.h"

#include "publish/PublishContext.h"
#include "publish/ScreenScriptWriter.h"

bool CScreenFiles::Write()
{
    CScreenScriptWriter writer(m_context);
    if (writer.WriteScreenFiles())
        return true;
    m_context.AddError(writer.GetFileErrorText());
    return false;
}
