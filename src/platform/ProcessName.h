// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#pragma once

// A name only one process can hold at a time, held with no file and let go
// when the process ends, however it ends: Linux's abstract socket
// namespace. Elsewhere there is none, and the lock file stands alone.

#include <QObject>
#include <memory>
#include <string>

namespace sorane {

struct NameClaim {
    enum class Outcome {
        Claimed,         ///< this process holds the name now
        HeldByThisUser,  ///< a process of this user holds it
        NotClaimed,      ///< another user's program holds it, or no name could be had
    };
    Outcome outcome = Outcome::NotClaimed;
    /// With NotClaimed, what kept the name, for standard error ("" where
    /// the system has no such names).
    std::string problem;
    /// With Claimed, holds the name until it is destroyed; a later start
    /// that asks who holds it is answered and let go.
    std::unique_ptr<QObject> holder;
};

NameClaim ClaimProcessName(const std::string& name);

}  // namespace sorane
