#pragma once

class TDesignerMessagesHandler;

// The grid and guide choices of Tools > Options, kept between runs in the
// designer's settings file.
class TDesignerOptions
{
public:
    static constexpr int MaxGridStep = 100;

    // Gives handler the kept choices; what is missing or out of range
    // keeps the handler's value.
    static void Restore(TDesignerMessagesHandler &handler);
    // Keeps the handler's choices; raises the settings file's error when it
    // cannot be written.
    static void Store(const TDesignerMessagesHandler &handler);
};
