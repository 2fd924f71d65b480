#pragma once

class QWidget;

// Lays the window out right to left (flag set) or left to right; nothing for a null window.
void SetRtlLayout(QWidget *window, bool flag);
