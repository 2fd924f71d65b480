// Reads one JSON array [key, text] per line and writes the program's scrambled form of the text as a
// JSON string (null when the scrambler refuses), for the run-time's de-scrambler test.
#include "publish/PublishText.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>
#include <iostream>
#include <string>

int main()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line));
        if (!doc.isArray() || doc.array().size() != 2) {
            std::cerr << "not a [key, text] pair: " << line << '\n';
            return 2;
        }
        const auto scrambled = ScrambleString(doc.array().at(1).toString(), doc.array().at(0).toString());
        // The scrambled form holds digits and "-" only.
        std::cout << (scrambled ? '"' + scrambled->toStdString() + '"' : std::string("null")) << '\n';
    }
    return 0;
}
