// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>

namespace sorane {

/// This user's one running clock. The claim needs no writable folder and
/// ends with the process, however it ends: on Linux an abstract-namespace
/// socket named after the user id, on Windows a named mutex in the session,
/// elsewhere a lock file.
class SingleInstance {
public:
    enum class Claim {
        Claimed,         ///< this is the user's one clock
        AlreadyRunning,  ///< another clock of this user runs
        Unguarded,       ///< nothing could tell; the clock may run all the same
    };

    /// name tells one program's clocks from another's ("sorane-clock"); the
    /// user's own id is added to it.
    explicit SingleInstance(std::string name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /// Claims the user's clock; held until this object ends. Problem() then
    /// says, for standard error, what kept the claim from being certain
    /// (always set with Unguarded).
    Claim TryClaim();
    const std::string& Problem() const { return m_problem; }
    /// Lets the claim go: the clock is closing, and a new start may run.
    void Release();

private:
    struct Held;
    std::string m_name;
    std::unique_ptr<Held> m_held;
    std::string m_problem;
};

}  // namespace sorane
