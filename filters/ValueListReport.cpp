#include "filters/ValueListReport.h"

namespace lumora {

std::string valueListsReport(const FilterValueLists& values) {
    std::string report;
    for (FilterCriterion criterion : kAllCriteria) {
        report += criterionCaption(criterion);
        report += '\n';
        if (criterion == FilterCriterion::Camera) {
            for (const CameraEntry& camera : values.cameras) {
                report += "  " + camera.make + '\n';
                for (const std::string& model : camera.models) report += "    " + model + '\n';
            }
            continue;
        }
        for (const CriterionValue& entry : values.of(criterion)) {
            report += "  " + entry.text + '\n';
        }
    }
    return report;
}

}  // namespace lumora
