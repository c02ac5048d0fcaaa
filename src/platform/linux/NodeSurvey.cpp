#include "platform/linux/NodeSurvey.h"

#include "platform/linux/NodeInspector.h"
#include "platform/linux/UdevPtr.h"

#include <algorithm>

namespace bindwell::linuxplatform {

std::vector<SurveyedNode> surveyInputNodes() {
    std::vector<SurveyedNode> survey;
    const UdevPtr context(udev_new());
    if (!context) {
        return survey;
    }
    for (InputNodeInfo& info : enumerateInputNodes(context.get())) {
        const InspectedNode node = inspectNode(std::move(info));
        survey.push_back({node.info.devnode, node.info.evdevName, node.info.vendorID,
                          node.info.productID, node.verdict, describeSkip(node),
                          node.info.isKeyboard});
    }
    return survey;
}

bool canReadEveryNode(const std::vector<SurveyedNode>& survey, int64_t vendorID, int64_t productID,
                      bool keyboardKeysToo) {
    bool found = false;
    for (const SurveyedNode& node : survey) {
        if (node.vendorID != vendorID || node.productID != productID ||
            node.verdict == NodeVerdict::ownVirtualDevice ||
            node.verdict == NodeVerdict::vanished ||
            (node.isKeyboard && !node.isReadable() && !keyboardKeysToo)) {
            continue;
        }
        if (!node.isReadable()) {
            return false;
        }
        found = true;
    }
    return found;
}

bool canReadSomeController(const std::vector<SurveyedNode>& survey) {
    return std::any_of(survey.begin(), survey.end(), [&](const SurveyedNode& node) {
        return node.isConsumerControl() &&
               canReadEveryNode(survey, node.vendorID, node.productID, false);
    });
}

} // namespace bindwell::linuxplatform
