#pragma once

#include "ListReport.h"
#include "PrintChoices.h"

class Clock;
class MedicationList;
class PrintHost;
class PrinterService;
class Prompter;
class QWidget;
class TextMeasurer;

// The Print command: the printer dialog, the orientation, the columns fitted
// to the page, the report, and the columns fitted back to the portrait page.
// A print that fails says why; one the user calls off says nothing.
class PrintCommand
{
public:
    PrintCommand(MedicationList &list, PrinterService &printers, const TextMeasurer &measurer,
                 const Clock &clock, Prompter &prompter);

    // The window that shows the list passes itself: the printer dialog is
    // shown over dialogOwner.
    void PrintList(PrintHost &host, QWidget *dialogOwner);

    const PrintChoices &choices() const { return m_choices; }
    const ListReport &report() const { return m_report; }

private:
    MedicationList &m_list;
    PrinterService &m_printers;
    Prompter &m_prompter;
    PrintChoices m_choices;
    ListReport m_report;
};
