#pragma once

#include "dialogs/KenBurnsValues.h"
#include "dialogs/ui/ValueDialog.h"

#include <array>

class CKBImageWnd;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

// "Ken Burns Effect": the pan-and-zoom animation of a picture on a screen. The author picks the effect,
// its acceleration and timing, sizes the marquee over the picture and, for an automated pan, lays out the
// path of up to twelve numbered markers. The caller presets `values` (the picture file, the picture's
// rectangle on the screen and whether its rectangles are still in its own coordinates) and after OK reads
// them back through GetKeyFrame and GetStartRect.
class CDlgKenBurnsEffect : public CValueDialog
{
    Q_OBJECT
public:
    // The picture area's size in the dialog.
    static constexpr int kFrameWidth = 500;
    static constexpr int kFrameHeight = 320;

    explicit CDlgKenBurnsEffect(QWidget *parent = nullptr);

    KenBurnsValues values;

    // Key frame i, also shown by marker i.
    void SetKeyFrame(const CRect &rect, int i);
    CRect GetKeyFrame(int i) const { return values.GetKeyFrame(i); }
    void SetStartRect(const CRect &rect) { values.SetStartRect(rect); }
    CRect GetStartRect() const { return values.GetStartRect(); }

    // Loads the picture, lays out the marquee and markers and shows the values.
    void ShowValues() override;

    // Where the picture lies in the picture area.
    CRect PictureRect() const;

    CKBImageWnd *PictureWindow() const { return m_picture; }
    QRadioButton *EffectButton(int effect) const { return m_effects[size_t(effect)]; }
    QRadioButton *PanModeButton(int mode) const { return m_panModes[size_t(mode)]; }
    QRadioButton *AccelerationButton(int kind) const { return m_accelerations[size_t(kind)]; }
    QComboBox *MarkerCountList() const { return m_markerCount; }
    QLineEdit *TimeToEachMarkerBox() const { return m_timeToMarker; }
    QLineEdit *WaitAtEachMarkerBox() const { return m_waitAtMarker; }
    QLineEdit *TimeToCompleteBox() const { return m_timeToComplete; }
    QLineEdit *WaitBeforeBox() const { return m_waitBefore; }
    QLineEdit *TitleBox() const { return m_title; }
    QCheckBox *UserClickBox() const { return m_userClick; }
    QLabel *Instruction() const { return m_instruction; }
    QToolButton *HelpButton(int id) const;
    QPushButton *OkButton() const { return m_ok; }

private:
    QWidget *BuildEffects();
    QWidget *BuildPanning();
    QWidget *BuildAcceleration();
    QWidget *BuildOptions();
    QToolButton *MakeHelpButton(int id, const QString &about);
    QLineEdit *TimeBox(const QString &objectName, const QString &label);

    // Fields into the controls, and the controls into the fields (false, with the message, when a time
    // box holds no number; quietly when `quiet`, keeping the value the field had).
    void FieldsToControls();
    bool ControlsToFields(bool quiet);
    void UpdateEffectControls();
    void UpdatePanControls();

    void OnEffect(int effect);
    void OnPanMode(int mode);
    void OnMarkerCount(int index);
    void OnUserClick();
    void OnMarkerTimes();
    void OnOK();

    std::array<QRadioButton *, 8> m_effects{};
    std::array<QRadioButton *, 3> m_panModes{};
    std::array<QRadioButton *, 4> m_accelerations{};
    QButtonGroup *m_effectGroup = nullptr;
    QButtonGroup *m_panGroup = nullptr;
    QButtonGroup *m_accelerationGroup = nullptr;
    QComboBox *m_markerCount = nullptr;
    QLineEdit *m_timeToMarker = nullptr;
    QLineEdit *m_waitAtMarker = nullptr;
    QLineEdit *m_timeToComplete = nullptr;
    QLineEdit *m_waitBefore = nullptr;
    QLineEdit *m_title = nullptr;
    QCheckBox *m_userClick = nullptr;
    QLabel *m_instruction = nullptr;
    std::array<QToolButton *, 4> m_help{};
    QWidget *m_frame = nullptr;
    CKBImageWnd *m_picture = nullptr;
    QPushButton *m_ok = nullptr;
};
