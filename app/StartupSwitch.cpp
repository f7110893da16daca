#include "app/StartupSwitch.h"

StartupSwitch::Action StartupSwitch::Classify(const QString &argumentText)
{
    const QString sw = Take(argumentText);
    struct Row {
        const char16_t *text;
        Action action;
    };
    static const Row kTable[] = {
        {u"/s", Action::RunShow},   {u"/S", Action::RunShow},   {u"/p", Action::Preview},
        {u"/P", Action::Preview},   {u"/c", Action::Configure}, {u"/C", Action::Configure},
        {u"/a", Action::Password},  {u"/A", Action::Password},
    };
    for (const Row &row : kTable) {
        if (sw == QStringView(row.text))
            return row.action;
    }
    return Action::End;
}
