#pragma once
// RegisteredInstance: the one registered object of a kind, such as the
// application or the timer system. The first object of the kind that is
// constructed registers itself; any later one is a plain object. The
// registered object unregisters itself when it is destroyed, so a test's
// stand-in may go and let the next one register.
//
//   class TimerSystem : public Subsystem, public RegisteredInstance<TimerSystem> { ... };
//   TimerSystem* timers = TimerSystem::existingInstance(); // null when there is none

namespace Quorvel {

template <class T>
class RegisteredInstance {
public:
    // The registered object, or null; never creates one.
    static T* existingInstance() { return static_cast<T*>(registered); }

    RegisteredInstance(const RegisteredInstance&) = delete;
    RegisteredInstance& operator=(const RegisteredInstance&) = delete;

protected:
    RegisteredInstance()
    {
        if (!registered)
            registered = this;
    }
    ~RegisteredInstance()
    {
        if (registered == this)
            registered = nullptr;
    }

private:
    // Kept as the base: the object is cast to its own type only once its
    // construction has finished.
    static inline RegisteredInstance* registered = nullptr;
};

} // namespace Quorvel
