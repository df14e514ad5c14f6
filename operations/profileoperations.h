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
    void mouseSetProfile(uint profileNo);
    void mouseReadProfile(uint profileNo);
    QVariant mouseReadCurrentProfile();

private:
    OperationsContext &ctx;
};
