#pragma once

#include <QString>

#include <functional>

// Opens a web address in the desktop's browser. Behind an interface so that
// tests can stand in for the desktop.
class LinkOpener {
public:
    enum class Outcome {
        Opened,
        NoHandler,       // nothing on the desktop opens web addresses
        HandlerNotFound, // the configured browser is missing
        HandlerFailed,   // the browser or the opener itself failed
        OtherError,      // see errorCode
    };

    struct Result {
        Outcome outcome = Outcome::Opened;
        int errorCode = 0;
    };

    using Done = std::function<void(Result)>;

    virtual ~LinkOpener() = default;
    // Calls done exactly once, at once or later from the event loop.
    virtual void open(const QString& address, Done done) = 0;
};
