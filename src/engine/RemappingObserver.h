// Main thread only.
#pragma once

namespace bindwell {

// Told by the engine when remapping starts or stops (the application state).
class RemappingObserver {
public:
    virtual ~RemappingObserver() = default;
    virtual void setIsRemapping(bool isRemapping) = 0;
};

} // namespace bindwell
