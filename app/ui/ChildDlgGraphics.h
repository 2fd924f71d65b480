#pragma once

#include "app/ui/SettingsPage.h"

#include <QList>
#include <QStringList>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The Graphics page of the Settings window: how pictures enter a course on import (their size, the source
// document's own, a border for JPG pictures), which graphics-library pictures are added, and the random Ken
// Burns effect.
class CChildDlgGraphics : public CSettingsPage
{
    Q_OBJECT
public:
    // Runs the category-priority dialog over the two lists (available, prioritised); true on OK, with the
    // author's lists in them.
    using CategoryDialog = std::function<bool(QStringList &available, QStringList &prioritised, QWidget *parent)>;

    explicit CChildDlgGraphics(CCorvessaDoc &document, QWidget *parent = nullptr);

    void SetCategoryDialog(CategoryDialog dialog) { m_categoryDialog = std::move(dialog); }

    void ResetToDefaults() override;
    void RefreshFromDocument() override;

    // Small, Medium, Large, Random.
    QRadioButton *SizeRadio(int size) const;
    QCheckBox *SourceGraphics() const { return m_source; }
    QCheckBox *Border() const { return m_border; }
    QRadioButton *BorderType(int type) const;
    QCheckBox *AutoLibrary() const { return m_auto; }
    // Color photos, B/W photos, Photo objects, Clip art.
    QCheckBox *Kind(int kind) const { return m_kinds[kind]; }
    QCheckBox *RandomMatch() const { return m_random; }
    QCheckBox *Prioritise() const { return m_prioritise; }
    QPushButton *SetCategories() const { return m_set; }
    QCheckBox *KenBurns() const { return m_kenBurns; }
    QComboBox *KenBurnsInterval() const { return m_interval; }
    // Zoom in, Zoom out, Pan, Fade in, Grow.
    QCheckBox *Effect(int effect) const { return m_effects[effect]; }

private:
    void BuildControls();
    QWidget *BuildRegularGroup();
    QWidget *BuildLibraryGroup();
    QWidget *BuildKenBurnsGroup();
    void ApplyBorderStates();
    void ApplyLibraryStates();
    void ApplyKenBurnsStates();
    void OnSetCategories();
    void StoreInterval(int32_t interval);

    CategoryDialog m_categoryDialog;
    QButtonGroup *m_sizes = nullptr;
    QCheckBox *m_source = nullptr;
    QCheckBox *m_border = nullptr;
    QButtonGroup *m_borderTypes = nullptr;
    QCheckBox *m_auto = nullptr;
    QLabel *m_kindsLabel = nullptr;
    QList<QCheckBox *> m_kinds;
    QCheckBox *m_random = nullptr;
    QCheckBox *m_prioritise = nullptr;
    QPushButton *m_set = nullptr;
    QCheckBox *m_kenBurns = nullptr;
    QComboBox *m_interval = nullptr;
    QList<QCheckBox *> m_effects;
};
