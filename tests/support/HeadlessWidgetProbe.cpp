// Compiled as headless code by the test headless_code_cannot_include_widgets, which expects it to fail.
#include <QtWidgets/QWidget>
