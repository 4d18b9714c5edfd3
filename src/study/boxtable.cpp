#include "study/boxtable.h"

#include <algorithm>

namespace talven {

// The first tab's five values are the record's baseValues, box for entry.
static_assert(boxGroup(BoxGroup::Dimensions).firstBox == 0
              && boxGroup(BoxGroup::WaterLevels).lastBox() == BaseValueCount - 1
              && OuterWaterLevelBox == OuterWaterLevelIndex && InnerWaterLevelBox == InnerWaterLevelIndex
              && boxGroup(BoxGroup::Dimensions).count == MemberCount);

const BoxGroupInfo &groupOfBox(int box)
{
    const auto found = std::find_if(BoxGroups.begin(), BoxGroups.end(),
                                    [box](const BoxGroupInfo &group) { return group.contains(box); });
    Q_ASSERT(found != BoxGroups.end());
    return *found;
}

int nameBoxOfRow(int box)
{
    const BoxGroupInfo &group = groupOfBox(box);
    return group.firstName < 0 ? -1 : group.firstName + box - group.firstBox;
}

bool feedsSection(int box, Section section)
{
    const std::optional<Section> own = groupOfBox(box).section;
    return !own || *own == section;
}

double &numberField(StudyRecord &record, int box)
{
    const BoxGroupInfo &group = groupOfBox(box);
    const int row = box - group.firstBox;
    switch (group.group) {
    case BoxGroup::Dimensions:
    case BoxGroup::WaterLevels:
        return record.baseValues[box];
    case BoxGroup::CreepRatio:
        return record.creepRatio;
    case BoxGroup::VerticalPiles:
        return record.verticalLengths[row];
    case BoxGroup::HorizontalPiles:
        break;
    }
    return record.horizontalLengths[row];
}

double numberField(const StudyRecord &record, int box)
{
    return numberField(const_cast<StudyRecord &>(record), box);
}

}  // namespace talven
