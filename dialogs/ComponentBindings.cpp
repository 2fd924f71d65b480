#include "dialogs/ComponentBindings.h"

namespace ComponentBindings {

const CValueBindings<SUpdateAudioValues, SAudioValues> &AudioClip()
{
    using D = SUpdateAudioValues;
    using M = SAudioValues;
    static const CValueBindings<D, M> table{
        Bind(&D::file, &M::m_filePath),
        Bind(&D::autoStart, &M::m_autoStart),
        Bind(&D::loop, &M::m_loop),
    };
    return table;
}

const CValueBindings<SImportMediaValues, SVideoValues> &ImportMedia()
{
    using D = SImportMediaValues;
    using M = SVideoValues;
    static const CValueBindings<D, M> table{
        Bind(&D::file, &M::m_filePath),
        Bind(&D::autoStart, &M::m_autoStart),
        Bind(&D::loop, &M::m_loop),
        Bind(&D::displayController, &M::m_controller),
        Bind(&D::windowMode, &M::m_windowMode),
    };
    return table;
}

const CValueBindings<SFlashVideoDialogValues, SVideoValues> &FlashVideo()
{
    using D = SFlashVideoDialogValues;
    using M = SVideoValues;
    static const CValueBindings<D, M> table{
        Bind(&D::videoFile, &M::m_filePath),
        Bind(&D::autoStart, &M::m_autoStart),
        Bind(&D::version, &M::m_flashVersion),
        Bind(&D::backgroundColour, &M::m_backgroundColor),
    };
    return table;
}

const CValueBindings<SAddPdfValues, SVideoValues> &Pdf()
{
    using D = SAddPdfValues;
    using M = SVideoValues;
    static const CValueBindings<D, M> table{
        Bind(&D::file, &M::m_filePath),
        Bind(&D::showToolbar, &M::m_toolbar),
        Bind(&D::showScrollbar, &M::m_scrollBar),
        Bind(&D::showNavPanes, &M::m_navPanes),
    };
    return table;
}

const CValueBindings<SAddFlashValues, SVideoValues> &Flash()
{
    using D = SAddFlashValues;
    using M = SVideoValues;
    static const CValueBindings<D, M> table{
        Bind(&D::file, &M::m_filePath),
        Bind(&D::autoStart, &M::m_autoStart),
        Bind(&D::loop, &M::m_loop),
        Bind(&D::version, &M::m_flashVersion),
        Bind(&D::windowMode, &M::m_windowMode),
        Bind(&D::backgroundColour, &M::m_backgroundColor),
        Bind(&D::flashVars, &M::m_flashVars),
    };
    return table;
}

const CValueBindings<CFlashQuestionValues, SVideoValues> &FlashQuestion()
{
    using D = CFlashQuestionValues;
    using M = SVideoValues;
    static const CValueBindings<D, M> table{
        Bind(&D::swfFile, &M::m_filePath),
        Bind(&D::version, &M::m_flashVersion),
        Bind(&D::flashVars, &M::m_flashVars),
        Bind(&D::windowMode, &M::m_windowMode),
        Bind(&D::backgroundColor, &M::m_backgroundColor),
    };
    return table;
}

const CValueBindings<SYouTubeDialogValues, SYouTubeValues> &YouTube()
{
    using D = SYouTubeDialogValues;
    using M = SYouTubeValues;
    static const CValueBindings<D, M> table{
        Bind(&D::embedCode, &M::m_embedCode),
    };
    return table;
}

const CValueBindings<CLikertValues, SLikertValues> &Likert()
{
    using D = CLikertValues;
    using M = SLikertValues;
    static const CValueBindings<D, M> table{
        Bind(&D::questionText, &M::m_questionText),
        Bind(&D::horizontal, &M::m_horizontal),
        Bind(&D::showFill, &M::m_showFill),
        Bind(&D::showValue, &M::m_showValue),
        Bind(&D::useNumbers, &M::m_useNumbers),
        Bind(&D::startValue, &M::m_startValue),
        Bind(&D::endValue, &M::m_endValue),
        Bind(&D::startLabel, &M::m_startLabel),
        Bind(&D::endLabel, &M::m_endLabel),
        Bind(&D::snap, &M::m_snap),
        Bind(&D::evaluate, &M::m_evaluate),
        Bind(&D::correctValue, &M::m_correctValue),
        Bind(&D::decimalPlaces, &M::m_decimalPlaces),
        Bind(&D::correctFeedback, &M::m_correctFeedback),
        Bind(&D::wrongFeedback, &M::m_wrongFeedback),
        Bind(&D::words, &M::m_words),
        Bind(&D::tolerance, &M::m_tolerance),
        Bind(&D::markers, &M::m_markers),
    };
    return table;
}

const CValueBindings<CLikertValues, CScreenFactory::LikertValues> &NewLikert()
{
    using D = CLikertValues;
    using M = CScreenFactory::LikertValues;
    static const CValueBindings<D, M> table{
        Bind(&D::questionText, &M::questionText),
        Bind(&D::horizontal, &M::horizontal),
        Bind(&D::showFill, &M::showFill),
        Bind(&D::showValue, &M::showValue),
        Bind(&D::useNumbers, &M::useNumbers),
        Bind(&D::startValue, &M::startValue),
        Bind(&D::endValue, &M::endValue),
        Bind(&D::startLabel, &M::startLabel),
        Bind(&D::endLabel, &M::endLabel),
        Bind(&D::snap, &M::snap),
        Bind(&D::evaluate, &M::evaluate),
        Bind(&D::correctValue, &M::correctValue),
        Bind(&D::decimalPlaces, &M::decimalPlaces),
        Bind(&D::correctFeedback, &M::correctFeedback),
        Bind(&D::wrongFeedback, &M::wrongFeedback),
        Bind(&D::words, &M::words),
        Bind(&D::tolerance, &M::tolerance),
        Bind(&D::markers, &M::markers),
    };
    return table;
}

const CValueBindings<CMultipleChoiceValues, SMultipleChoiceValues> &MultipleChoice()
{
    using D = CMultipleChoiceValues;
    using M = SMultipleChoiceValues;
    static const CValueBindings<D, M> table{
        Bind(&D::stem, &M::m_stem),
        Bind(&D::options, &M::m_options),
        Bind(&D::correct, &M::m_correct),
    };
    return table;
}

} // namespace ComponentBindings
