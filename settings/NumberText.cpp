// PROVISIONAL: replaced by the settings-file work.
#include "settings/NumberText.h"
#include <cmath>
double NumberText::LeadingNumber(const QString &text) { bool ok; double v = text.trimmed().toDouble(&ok); return ok ? v : 0; }
QString NumberText::ShortestText(double value) { return QString::number(value, 'g', 17); }
QString NumberText::PrintForm(double value) { return (value < 0 ? QString() : QStringLiteral(" ")) + ShortestText(value) + QStringLiteral(" "); }
int NumberText::RoundHalfEven(double value) { return std::isnan(value) ? 0 : static_cast<int>(std::nearbyint(value)); }
