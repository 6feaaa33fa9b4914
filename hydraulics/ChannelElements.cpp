#include "hydraulics/ChannelElements.h"

#include "hydraulics/SectionElements.h"

namespace channel {

void ComputeChannelElements(ChannelElements& record) {
    SectionElements(record).At(record.depth, record);
    SectionElements::SetVelocity(record);
}

}  // namespace channel
