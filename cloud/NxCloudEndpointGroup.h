#pragma once

class NxCloudRouter;

// A family of related endpoints (catalogue, pictures, sign-in, ...) that adds
// its routes to the server's router.
class NxCloudEndpointGroup
{
public:
    virtual ~NxCloudEndpointGroup();
    virtual void addRoutes(NxCloudRouter& router) = 0;
};
