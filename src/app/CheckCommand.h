#pragma once

class QString;
class TCommandLine;

// "formdesigner-export check LAYOUT.xml": runs the layout checks on a saved
// layout and prints its problems (options --format, --checks, --stress).
// Gives 0 without problems, 1 with problems and 2 when the command line is
// wrong or the layout cannot be read.
class TCheckCommand
{
public:
    static int Run(const TCommandLine &command, const QString &layout);
};
