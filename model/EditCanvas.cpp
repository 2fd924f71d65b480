#include "model/EditCanvas.h"

namespace {
CEditCanvas *g_canvas = nullptr;
}

CEditCanvas *CEditCanvas::Current()
{
    return g_canvas;
}

CEditCanvas *CEditCanvas::Install(CEditCanvas *canvas)
{
    CEditCanvas *previous = g_canvas;
    g_canvas = canvas;
    return previous;
}
