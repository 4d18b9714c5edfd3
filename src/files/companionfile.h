#pragma once

// What a study file cannot hold, kept beside it: its water-level cases, its
// title block, where its numbers come from, its own page options and a
// fingerprint of the study file it was saved with. The companion of
// "plan.vek" is "plan.talven.json", UTF-8 JSON that a person can read and
// other tools can write (README.md, "The companion file"):
//
//   {"format": "talven-companion", "version": 1,
//    "study": {"file": "plan.vek", "sha256": "..."},
//    "cases": [{"name": "計画高水位時", "datum": "T.P.", "wl1Source": "...", "wl2Source": "..."},
//              {"name": "既往最高水位時", "wl1": "3.40", "wl2": "1.00"}],
//    "titleBlock": {"job": "...", "river": "...", "place": "...", "structure": "...",
//                   "company": "...", "designer": "...", "checker": "...", "date": "..."},
//    "stations": [3.00, 18.00, null], "bottomLevel": -1.20,
//    "cutOff": {"pileType": "鋼矢板Ⅲ型", "wallHeight": 1.50, "wallWidth": 1.20,
//               "excavationWidth": 2.00},
//    "basis": {"method": "...", "soil": "...", "ratio": "..."},
//    "pageLabel": "3-12", "sheet": true}
//
// The first case is the study file's WL1 and WL2: only its name and basis
// are kept here. Every key after "cases" may be missing.

#include "study/message.h"
#include "study/study.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>
#include <vector>

namespace talven {

QString companionPath(const QString &studyPath);

// The companion of a study whose file holds `studyBytes`.
QByteArray encodeCompanion(const Study &study, const QString &studyFileName, const QByteArray &studyBytes);

// The name of the study file a companion was saved with, as it records it
// (empty for one that records none, which any study takes); nothing when
// this version cannot read it (not JSON, another format or version).
std::optional<QString> recordedStudyFile(const QByteArray &companionBytes);

// Whether a companion recorded for `recorded` belongs to the study file
// named `studyFileName` as its folder holds it: the same name exactly, case
// and all, so that plan.VEK never takes plan.vek's, also where the file
// system ignores case.
bool belongsTo(const QString &recorded, const QString &studyFileName);

// What a companion brings to the study its file opened to: the cases (their
// levels through the water levels' rules) and the title block, with the
// messages met on the way: a study file changed since the companion was
// saved, levels out of range, cases beyond the eighth. A companion that this
// version cannot read, or that belongs to another study file, brings only
// its message.
StudyEdit applyCompanion(const StudyEdit &opened, const QString &studyPath, const QByteArray &studyBytes,
                         const QByteArray &companionBytes);

// The message when a companion cannot be read: the study opens with its
// file's values alone.
Message unreadableCompanionMessage(const QString &companionPath);

// Before a save takes over the companion beside `studyPath` that was saved
// with the study file `recorded`.
Message takeOverQuestion(const QString &studyPath, const QString &recorded);

// Where a companion this version cannot read is kept when a save replaces
// it: plan.talven-unreadable.json beside it (-2, -3 … when that is taken),
// which no study takes for its companion.
QString keptCompanionPath(const QString &companionPath);
// The message after a save that kept it there.
Message keptCompanionMessage(const QString &companionPath, const QString &keptPath);

}  // namespace talven
