#pragma once

#include <QString>

// Starts the program's window in a process of its own, which outlives the
// one that asks.
class ProgramLauncher
{
public:
    virtual ~ProgramLauncher() = default;
    // activationToken, when the desktop gave one, lets the new window take
    // the focus.
    virtual bool launch(const QString &activationToken) = 0;
};

// Starts this program's own executable without options.
class DetachedProgramLauncher : public ProgramLauncher
{
public:
    bool launch(const QString &activationToken) override;
};
