#pragma once

#include <string>

// Gives the test program a private HOME and XDG folders (config, data, cache, runtime, config dirs)
// for its lifetime, so that test programs running side by side never share a profile, a settings
// file or an instance lock, and never touch the user's own. The folder is removed at the end.
class PrivateProfile {
public:
    PrivateProfile();
    ~PrivateProfile();
    PrivateProfile(const PrivateProfile&) = delete;
    PrivateProfile& operator=(const PrivateProfile&) = delete;

    const std::string& home() const { return m_home; }

private:
    std::string m_home;
};
