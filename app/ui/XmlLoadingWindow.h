#pragma once

#include <QDialog>

// The wait window of the graphics-library index: shown and painted once before the index loads, closed
// right after; nothing is painted while the index loads.
class CDlgXMLLoading : public QDialog
{
    Q_OBJECT
public:
    CDlgXMLLoading();
    // Centres, shows and paints the window at once.
    void CreateAndShow();
};
