#include "PrintCommand.h"

#include "MedicationList.h"
#include "PrintHost.h"
#include "PrinterService.h"
#include "ProgramInfo.h"
#include "Prompter.h"
#include "frmPrinterSelect.h"

PrintCommand::PrintCommand(MedicationList &list, PrinterService &printers,
                           const TextMeasurer &measurer, const Clock &clock, Prompter &prompter)
    : m_list(list), m_printers(printers), m_prompter(prompter),
      m_report(printers, list, measurer, clock)
{}

void PrintCommand::PrintList(PrintHost &host, QWidget *dialogOwner)
{
    if (!host.listChosen())
        return;
    host.commitOpenEdit();
    if (m_list.cell(MedicationList::FirstDataRow, MedicationList::NameColumn).isEmpty())
        return;

    {
        frmPrinterSelect dialog(m_printers, m_list, m_choices, m_prompter, dialogOwner);
        dialog.exec();
    }
    if (m_choices.CancelPrint) {
        m_choices.CancelPrint = false;
        return;
    }

    m_printers.setOrientation(m_choices.PrintLandscape != 0 ? PrinterService::Landscape
                                                            : PrinterService::Portrait);
    host.SetColumnWidths();
    ListReport::ColumnWidths widths{};
    for (int column = 0; column < MedicationList::ColumnCount; ++column)
        widths[column] = host.columnWidth(column);
    m_printers.setDocumentName(m_list.CurrentListName());
    m_report.printPages(widths);

    const bool sent = m_printers.endDocument();
    const QString problem = m_printers.errorString();
    if (!sent)
        m_printers.abortDocument();
    // Also after a failure: the grid goes back to the portrait page it
    // shows at all other times.
    m_printers.setOrientation(PrinterService::Portrait);
    host.SetColumnWidths();
    if (!sent && !problem.isEmpty())
        m_prompter.warn(QStringLiteral("The list could not be printed.\n\n") + problem,
                        ProgramInfo::title());
}
