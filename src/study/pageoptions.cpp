#include "study/pageoptions.h"

#include <algorithm>

namespace talven {

namespace {

template <typename Member>
void addOnce(std::vector<Member> &given, Member option)
{
    if (std::find(given.begin(), given.end(), option) == given.end())
        given.push_back(option);
}

}  // namespace

void PageOverrides::set(bool PageOptions::*option, bool on)
{
    values.*option = on;
    addOnce(switches, option);
}

void PageOverrides::set(QString PageOptions::*option, const QString &text)
{
    values.*option = text;
    addOnce(texts, option);
}

bool PageOverrides::has(bool PageOptions::*option) const
{
    return std::find(switches.begin(), switches.end(), option) != switches.end();
}

bool PageOverrides::has(QString PageOptions::*option) const
{
    return std::find(texts.begin(), texts.end(), option) != texts.end();
}

PageOptions PageOverrides::over(PageOptions options) const
{
    for (bool PageOptions::*option : switches)
        options.*option = values.*option;
    for (QString PageOptions::*option : texts)
        options.*option = values.*option;
    return options;
}

PageOverrides studyOptionsOf(const PageOptions &options)
{
    PageOverrides own;
    for (const PageSwitch &option : PageSwitches) {
        if (!option.settingKey)
            own.set(option.value, options.*option.value);
    }
    for (const PageText &option : PageTexts) {
        if (!option.settingKey)
            own.set(option.value, options.*option.value);
    }
    return own;
}

PageOptions userOptionsOf(PageOptions options)
{
    return studyOptionsOf(PageOptions()).over(options);
}

}  // namespace talven
