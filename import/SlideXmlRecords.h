#pragma once

#include "import/SimpleElementFromXML.h"
#include "platform/Rect.h"

#include <QString>

#include <memory>
#include <vector>

// The records the slide-XML reader builds: a document of pages, a page of objects, an object of fragments.

// One run of equally formatted text of a text object, or the picture path of a picture object.
struct FragmentFromXML : XMLElementHolder
{
    QString fontName = QStringLiteral("Arial");
    int fontSize = 12;
    long fontColor = 0;
    bool fontIsItalic = false;
    bool fontIsBold = false;
    bool fontIsNormal = true;
    bool fontIsUnderline = false;
    QString alignment = QStringLiteral("AlignLeft");
    QString paragraphFormat = QStringLiteral("Normal");
    QString format = QStringLiteral("Body");
    QString text = QStringLiteral("<no text>");
};

struct ObjectFromXML : XMLElementHolder
{
    CRect rect;
    QString type;
    int lineCount = 0;
    std::vector<std::unique_ptr<FragmentFromXML>> fragments;
};

struct PageFromXML : XMLElementHolder
{
    int objectCount = 0;
    std::vector<std::unique_ptr<ObjectFromXML>> objects;
};

struct DocumentFromXML : XMLElementHolder
{
    int pageCount = 0;
    std::vector<std::unique_ptr<PageFromXML>> pages;
};
