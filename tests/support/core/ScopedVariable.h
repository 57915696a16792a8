#pragma once

#include <cstdlib>
#include <optional>
#include <string>

// An environment variable set (or unset, for nullptr) while it lives, then put back
// as it was: the user's folders pointed into a test's own.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : m_name(name)
    {
        if (const char* was = std::getenv(name))
            m_was = was;
        set(value);
    }
    ~ScopedVariable() { set(m_was ? m_was->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    void set(const char* value)
    {
        if (value)
            ::setenv(m_name.c_str(), value, 1);
        else
            ::unsetenv(m_name.c_str());
    }

    std::string m_name;
    std::optional<std::string> m_was;
};
