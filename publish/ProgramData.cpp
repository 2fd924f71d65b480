#include "publish/ProgramData.h"

#include "document/CourseSettings.h"
#include "platform/PathUtil.h"
#include "publish/PublishTarget.h"

namespace CorvProgramData {

namespace {

const QString kScripts = QStringLiteral("source/publish/content/scripts/");
const QString kContent = QStringLiteral("source/publish/content/");

void AddFiles(std::vector<RunTimeCopy> &copies, const QString &from, const QString &to, const QStringList &names)
{
    for (const QString &name : names)
        copies.push_back({from + name, to + name, false});
}

void AddTargetCopies(std::vector<RunTimeCopy> &copies, const CCourseSettings &s, int target, int lessonMode)
{
    const auto file = [&](const QString &source, const QString &destination) {
        copies.push_back({source, destination, false});
    };
    const auto folder = [&](const QString &source, const QString &destination) {
        copies.push_back({source, destination, true});
    };
    const auto donePage = [&](const QString &source) { file(source, QStringLiteral("content/done.htm")); };

    switch (target) {
    case PublishTargetLan:
        file(kScripts + QStringLiteral("kvx_loc.jse"), QStringLiteral("content/scripts/kvx_loc.jse"));
        file(kContent + QStringLiteral("kvx.mdb"), QStringLiteral("kvx.mdb"));
        [[fallthrough]];
    case PublishTargetPreview:
    case PublishTargetStandalone:
        donePage(kContent + QStringLiteral("done.htm"));
        file(kContent + QStringLiteral("nav.htm"), QStringLiteral("content/nav.htm"));
        break;
    case PublishTargetWeb:
        if (s.UseASP) {
            donePage(QStringLiteral("source/publishAsp/content/done.htm"));
            if (lessonMode == 0)
                file(kContent + QStringLiteral("kvx.mdb"), QStringLiteral("kvx.mdb"));
            folder(QStringLiteral("source/publishAsp/content/include"), QStringLiteral("content/include"));
        } else {
            const QString include = QStringLiteral("source/publishPhp/content/include/");
            const QString to = QStringLiteral("content/include/");
            donePage(kContent + QStringLiteral("done.htm"));
            AddFiles(copies, include, to, {QStringLiteral("kqdb.php"), QStringLiteral("kqinc.php")});
            // The server pages are named in lower case where they are published.
            file(include + QStringLiteral("writeData.php"), to + QStringLiteral("writedata.php"));
            file(include + QStringLiteral("recordText.php"), to + QStringLiteral("recordtext.php"));
            file(include + QStringLiteral("common.php"), to + QStringLiteral("common.php"));
            if (s.SignIn) {
                file(include + QStringLiteral("checksignin.php"), to + QStringLiteral("checksignin.php"));
                if (s.MaySelfRegister)
                    file(include + QStringLiteral("checkregister.php"), to + QStringLiteral("checkregister.php"));
            }
            for (const QString &sub : {QStringLiteral("adodb"), QStringLiteral("adodb/drivers"), QStringLiteral("adodb/lang")})
                folder(QStringLiteral("source/publishPhp/content/") + sub, QStringLiteral("content/") + sub);
        }
        break;
    case PublishTargetLms:
        file(QStringLiteral("source/publishLMS/file/kvx_scorm.js"), QStringLiteral("content/scripts/kvx_scorm.js"));
        if (s.SCORM12) {
            copies.push_back({QStringLiteral("source/publishLMS/scorm12"), QString(), true, true});
        } else {
            copies.push_back({QStringLiteral("source/publishLMS/scorm2004"), QString(), true, true});
            for (const QString &sub : {QStringLiteral("common"), QStringLiteral("extend"), QStringLiteral("unique"),
                                       QStringLiteral("vocab")})
                folder(QStringLiteral("source/publishLMS/scorm2004/") + sub, sub);
        }
        break;
    default:
        break;
    }
}

} // namespace

QString Resolve(const QString &programFolder, const QString &relative)
{
    return CorvPath::ResolveNoCase(CorvPath::Join(programFolder, relative));
}

std::vector<RunTimeCopy> RunTimeCopies(const CCourseSettings &s, int target, int lessonMode)
{
    std::vector<RunTimeCopy> copies;
    const QString scriptsOut = QStringLiteral("content/scripts/");
    AddFiles(copies, kScripts, scriptsOut,
             {QStringLiteral("kvx.js"), QStringLiteral("kvx_accessible.js"), QStringLiteral("kvx_ajax.js"),
              QStringLiteral("kvx_audio.js"), QStringLiteral("kvx_credentials.js"), QStringLiteral("kvx_calls.js"),
              QStringLiteral("kvx_question.js"), QStringLiteral("kvx_q_choice.js"), QStringLiteral("kvx_q_blanks.js"),
              QStringLiteral("kvx_q_paragraph.js"), QStringLiteral("kvx_q_pairs.js"), QStringLiteral("kvx_q_parts.js"),
              QStringLiteral("kvx_q_slider.js"), QStringLiteral("kvx_q_freeform.js"), QStringLiteral("kvx_q_flash.js"),
              QStringLiteral("kvx_scoring.js"), QStringLiteral("kvx_assessment.js"), QStringLiteral("kvx_popup.js"), QStringLiteral("kvx_tree.js"), QStringLiteral("kvx_storage.js"),
              QStringLiteral("wz_jsgraphics.js"), QStringLiteral("swfobject.js"), QStringLiteral("kvx_kb_effect.js"),
              QStringLiteral("kvx_start.js")});
    AddFiles(copies, kContent + QStringLiteral("media/"), QStringLiteral("content/media/"),
             {QStringLiteral("flvplayer.swf"), QStringLiteral("expressInstall.swf"), QStringLiteral("x.gif")});
    AddFiles(copies, kScripts, scriptsOut,
             {QStringLiteral("kvx_tree.css"), QStringLiteral("align_bullets.css"), QStringLiteral("align_lists.css"),
              QStringLiteral("align_numbers.css"), QStringLiteral("kvx_fade.css"), QStringLiteral("kvx.css")});
    if (s.SignIn) {
        AddFiles(copies, kContent, QStringLiteral("content/"), {QStringLiteral("signin.js")});
        if (s.MaySelfRegister)
            AddFiles(copies, kContent, QStringLiteral("content/"), {QStringLiteral("register.js")});
    }
    AddTargetCopies(copies, s, target, lessonMode);
    AddFiles(copies, QStringLiteral("source/publish/"), QStringLiteral("content/scripts/pics/"),
             {QStringLiteral("x.gif"), QStringLiteral("kvx.ico")});
    return copies;
}

const std::vector<ThemeButton> &ThemeButtons()
{
    using S = CCourseSettings;
    static const std::vector<ThemeButton> buttons = {
        {&S::LblNext, QStringLiteral("nav_next01.png"),
         {{10640, QStringLiteral("nav_next.png")}, {10641, QStringLiteral("nav_next02.png")},
          {10642, QStringLiteral("nav_next03.png")}, {10643, QStringLiteral("nav_next04.png")}},
         QStringLiteral("nav_next.png")},
        {&S::LblBack, QStringLiteral("nav_back01.png"),
         {{10645, QStringLiteral("nav_back.png")}, {10646, QStringLiteral("nav_back02.png")},
          {10647, QStringLiteral("nav_back03.png")}, {10648, QStringLiteral("nav_back04.png")}},
         QStringLiteral("nav_back.png")},
        {&S::LblMenu, QStringLiteral("nav_menu01.png"),
         {{10650, QStringLiteral("nav_menu.png")}, {10651, QStringLiteral("nav_menu02.png")}},
         QStringLiteral("nav_menu.png")},
        {&S::LblQuit, QStringLiteral("nav_quit01.png"),
         {{10653, QStringLiteral("nav_quit.png")}, {10654, QStringLiteral("nav_quit02.png")},
          {10655, QStringLiteral("nav_quit03.png")}, {10656, QStringLiteral("nav_quit04.png")}},
         QStringLiteral("nav_quit.png")},
        {&S::LblDone, QStringLiteral("btn_done01.png"),
         {{10658, QStringLiteral("btn_done.png")}, {10659, QStringLiteral("btn_done02.png")},
          {10660, QStringLiteral("btn_done03.png")}, {10661, QStringLiteral("btn_done04.png")},
          {10662, QStringLiteral("btn_done05.png")}},
         QStringLiteral("btn_done.png")},
        {&S::LblPlay, QStringLiteral("btn_play01.png"),
         {{10664, QStringLiteral("btn_play.png")}, {10665, QStringLiteral("btn_play02.png")}},
         QStringLiteral("btn_play.png")},
        {&S::LblStop, QStringLiteral("btn_stop01.png"),
         {{10667, QStringLiteral("btn_stop.png")}, {10668, QStringLiteral("btn_stop02.png")}},
         QStringLiteral("btn_stop.png")},
    };
    return buttons;
}

QStringList ThemeButtonPictures()
{
    QStringList names;
    for (const ThemeButton &button : ThemeButtons()) {
        names.append(button.emptyLabelPicture);
        for (const auto &picture : button.pictures)
            names.append(picture.second);
    }
    names.append(kPopupButtonPicture);
    return names;
}

bool IsPlainThemeName(const QString &theme)
{
    return CorvPath::IsSafeBareName(theme) && !theme.contains(u'/') && !theme.contains(u'\\');
}

} // namespace CorvProgramData
