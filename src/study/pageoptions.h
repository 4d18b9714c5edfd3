#pragma once

// What the printed page carries besides the study, as one value: the user's
// settings and the study keep it, 帳票の設定 edits it, talven-report's
// options set it and the report is made from it. Each option is described
// once, in the tables below, with the key the settings file keeps it under
// (none for the study's own, which its companion keeps), the text 帳票の設定
// shows for it and talven-report's option; its default is the member's own.

#include <QString>

#include <array>
#include <vector>

namespace talven {

struct PageOptions {
    bool figures = true;   // 照査の補足: required ΣL, its margin and the allowable head under each verdict
    bool footer = false;   // the study's file name and "1 / 1" at the foot
    bool margins = true;   // the page within a binder's margins, made smaller where it must
    bool sheet = false;    // the calculation sheet (計算書) after the report
    bool titleFrame = false;  // the title block ruled, with boxes to stamp for 設計 and 照査
    QString pageLabel;     // the first page's label at the foot, "3-12", counting on page by page

    bool operator==(const PageOptions &) const = default;
};

// An option that is on or off. talven-report turns it on with `onFlag` and
// off with `offFlag`; either may be missing where the default is that way.
// One without a setting key is the study's own.
struct PageSwitch {
    bool PageOptions::*value;
    const char *settingKey;
    const char16_t *label;
    const char *onFlag;
    const char *offFlag;
};

inline constexpr std::array<PageSwitch, 5> PageSwitches{{
    {&PageOptions::figures, "report/figures", u"照査の補足を印刷する（必要 ΣL、ΣL の過不足、許容水位差）", "--figures",
     "--no-figures"},
    {&PageOptions::footer, "report/footer", u"ファイル名を印刷する（用紙の下に検討ファイルの名前と「1 / 1」）",
     "--footer", nullptr},
    {&PageOptions::margins, "report/margins", u"とじしろを取る（上下 15 mm、左 20 mm、右 10 mm の余白に収める）",
     nullptr, "--no-margins"},
    {&PageOptions::titleFrame, "report/titleFrame", u"表題欄を枠で囲む（設計と照査の印の欄を付ける）", "--title-frame",
     nullptr},
    {&PageOptions::sheet, nullptr, u"計算書を付ける（計算の過程と断面図を帳票の後のページに印刷する）", "--sheet",
     "--no-sheet"},
}};

// An option that is a text; one without a setting key is the study's own.
struct PageText {
    QString PageOptions::*value;
    const char *settingKey;
    const char16_t *label;
    const char16_t *placeholder;  // what an empty field means
    const char *flag;
};

inline constexpr std::array<PageText, 1> PageTexts{{
    {&PageOptions::pageLabel, nullptr, u"ページ番号", u"（なし。例: 3-12 なら次のページから 3-13、3-14 …）",
     "--page-label"},
}};

// Options given over others': a study's own over the user's, and
// talven-report's over each study's own. Only the options given are set.
struct PageOverrides {
    PageOptions values;
    std::vector<bool PageOptions::*> switches;    // given, in the order set
    std::vector<QString PageOptions::*> texts;

    void set(bool PageOptions::*option, bool on);
    void set(QString PageOptions::*option, const QString &text);
    bool has(bool PageOptions::*option) const;
    bool has(QString PageOptions::*option) const;
    // `options` with the given ones replaced.
    PageOptions over(PageOptions options) const;
    bool operator==(const PageOverrides &) const = default;
};

// The options of `options` a study keeps as its own (those without a
// setting key), each given.
PageOverrides studyOptionsOf(const PageOptions &options);
// `options` with the study's own at their defaults: what the user's settings
// keep, which a new study must not take for its own.
PageOptions userOptionsOf(PageOptions options);

}  // namespace talven
