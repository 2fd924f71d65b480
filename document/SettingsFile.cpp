#include "document/SettingsFile.h"

#include "document/CourseSettings.h"
#include "document/SettingsFields.h"
#include "model/ProjectSchema.h"
#include "platform/Archive.h"
#include "platform/SafeFileWriter.h"

#include <QFile>

namespace {

using namespace SettingsFields;
namespace PS = ProjectSchema;

// The settings every version of the file holds, before its schema number.
const std::vector<Field> &Head()
{
    static const std::vector<Field> fields = LayoutOf(settingsFileStore, beforeSchema);
    return fields;
}

// The settings after the schema number, each group behind its gate.
const std::vector<Field> &Tail()
{
    static const std::vector<Field> fields = LayoutOf(settingsFileStore, afterSchema);
    return fields;
}

} // namespace

std::vector<SettingsFields::Field> CSettingsFile::Layout()
{
    std::vector<Field> layout = Head();
    Append(layout, Tail());
    return layout;
}

void CSettingsFile::StoreSettings(CArchive &ar, const CCourseSettings &s)
{
    StoreFields(ar, Head(), s);
    ar.WriteInt(PS::kCurrent);
    StoreFields(ar, Tail(), s);
}

void CSettingsFile::LoadSettings(CArchive &ar, CCourseSettings &s)
{
    // However the read ends, the linear source's assessable flag follows the assessment option.
    struct CleanUp
    {
        CCourseSettings &s;
        ~CleanUp() { s.LinearSourceAssessable = s.LastAssessmentTopic; }
    } cleanUp{s};
    LoadFields(ar, Head(), s, GateState{PS::kCurrent});
    const int32_t schema = ar.ReadInt();
    LoadFields(ar, Tail(), s, GateState{schema});
}

bool CSettingsFile::Save(const QString &path, const CCourseSettings &s)
{
    CArchive ar;
    StoreSettings(ar, s);
    return !path.isEmpty() && CSafeFileWriter::WriteFile(path, ar.GetBuffer()).Ok();
}

CSettingsFile::LoadResult CSettingsFile::Load(const QString &path, CCourseSettings &s, QString *errorText)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return LoadResult::notOpened;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError)
        return LoadResult::notOpened;
    CArchive ar(bytes);
    ar.SetFilePath(path);
    try {
        LoadSettings(ar, s);
    } catch (const CArchiveException &e) {
        if (errorText)
            *errorText = e.GetText();
        return LoadResult::damaged;
    }
    return LoadResult::read;
}
