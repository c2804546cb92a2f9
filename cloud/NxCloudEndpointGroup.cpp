#include "NxCloudEndpointGroup.h"

NxCloudEndpointGroup::~NxCloudEndpointGroup() = default;
