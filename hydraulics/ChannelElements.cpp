#include "hydraulics/ChannelElements.h"

#include "hydraulics/SectionElements.h"

void ComputeChannelElements(ChannelElements& record) {
    SectionElements(record).At(record.depth, record);
    SectionElements::SetVelocity(record);
}
