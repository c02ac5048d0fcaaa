#include "platform/linux/NodeSurvey.h"

#include "platform/linux/NodeInspector.h"
#include "platform/linux/UdevPtr.h"

#include <libevdev/libevdev.h>

namespace bindwell::linuxplatform {

std::vector<SurveyedNode> surveyInputNodes() {
    std::vector<SurveyedNode> survey;
    const UdevPtr context(udev_new());
    if (!context) {
        return survey;
    }
    for (InputNodeInfo& info : enumerateInputNodes(context.get())) {
        const InspectedNode node = inspectNode(std::move(info));
        SurveyedNode entry{node.info.devnode, node.info.evdevName, 0, 0,
                           node.verdict,      describeSkip(node)};
        if (node.handle) {
            entry.vendorID = libevdev_get_id_vendor(node.handle->device());
            entry.productID = libevdev_get_id_product(node.handle->device());
        }
        survey.push_back(std::move(entry));
    }
    return survey;
}

} // namespace bindwell::linuxplatform
