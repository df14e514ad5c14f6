#pragma once

#include <QVariant>

class OperationsContext;

// Whole device profiles of the second family (sent with its commands
// whatever the family).
class ProfileOperations
{
public:
    explicit ProfileOperations(OperationsContext &context)
        : ctx(context)
    {}

    // Profile numbers outside 0 to 4 are refused: there is no image for them.
    // Both say whether the mouse took the image or gave it.
    bool mouseSetProfile(uint profileNo);
    bool mouseReadProfile(uint profileNo);
    // The connect's read of profiles 0 to count - 1, over what an earlier
    // mouse gave: true when all of them came.
    bool readDeviceProfiles(int count);
    QVariant mouseReadCurrentProfile();

private:
    OperationsContext &ctx;
};
