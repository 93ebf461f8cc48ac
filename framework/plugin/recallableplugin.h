// A plug-in with programs: a bank of program records and the edit buffer, a
// program record that holds the live value of every parameter.
#pragma once

#include "plugin.h"
#include "settingsfile.h"

#include "framework/platform/platform.h"

#include <cstring>

namespace Framework {

template <class Program, class Bank> class Recallableplugin : public Plugin {
public:
    Recallableplugin(Host& host, Gui& listener, Settingsfile& settings, double oversamplingFactor, int controlRate)
        : Plugin(host, listener, settings, oversamplingFactor, controlRate)
    {
        std::memset(&bank, 0, sizeof bank);
        std::memset(&editBuffer, 0, sizeof editBuffer);
        const char separator = pathSeparator;
        settings.add("def-bank-path", moduleFolder() + separator + "banks" + separator + "default" + separator);
    }

    // Fills the bank and loads program 0 into the edit buffer.
    void open() override
    {
        for (Program& program : bank.programs)
            initProgram(program);
        std::memcpy(&editBuffer, &bank.programs[0], sizeof editBuffer);
    }

    // Fills a program record with the plug-in's defaults.
    virtual void initProgram(Program& program) = 0;

    // The live values; descriptors point into it.
    Program& edited() { return editBuffer; }

protected:
    Bank bank;
    Program editBuffer;
};

} // namespace Framework
