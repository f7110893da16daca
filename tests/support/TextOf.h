#pragma once

#include <QString>
#include <QStringList>
#include <string>

// Texts as standard strings, so that GoogleTest compares and prints them plainly.
inline std::string TextOf(const QString &text)
{
    return text.toStdString();
}

inline std::string TextOf(const QStringList &texts)
{
    return texts.join(QStringLiteral(" | ")).toStdString();
}
