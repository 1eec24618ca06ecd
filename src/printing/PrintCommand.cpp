#include "PrintCommand.h"

#include "MedicationList.h"
#include "PrintHost.h"
#include "PrinterService.h"
#include "ProgramInfo.h"
#include "Prompter.h"
#include "frmPrinterSelect.h"

PrintCommand::PrintCommand(MedicationList &list, PrintHost &host, PrinterService &printers,
                           const TextMeasurer &measurer, const Clock &clock, Prompter &prompter,
                           QWidget *dialogOwner)
    : m_list(list), m_host(host), m_printers(printers), m_prompter(prompter),
      m_dialogOwner(dialogOwner), m_report(printers, list, measurer, clock)
{}

void PrintCommand::PrintList()
{
    if (!m_host.listChosen())
        return;
    m_host.commitOpenEdit();
    if (m_list.cell(MedicationList::FirstDataRow, MedicationList::NameColumn).isEmpty())
        return;

    {
        frmPrinterSelect dialog(m_printers, m_list, m_choices, m_prompter, m_dialogOwner);
        dialog.exec();
    }
    if (m_choices.CancelPrint) {
        m_choices.CancelPrint = false;
        return;
    }

    m_printers.setOrientation(m_choices.PrintLandscape != 0 ? PrinterService::Landscape
                                                            : PrinterService::Portrait);
    m_host.SetColumnWidths();
    ListReport::ColumnWidths widths{};
    for (int column = 0; column < MedicationList::ColumnCount; ++column)
        widths[column] = m_host.columnWidth(column);
    m_printers.setDocumentName(m_list.CurrentListName());
    m_report.printPages(widths);

    const bool sent = m_printers.endDocument();
    const QString problem = m_printers.errorString();
    if (!sent)
        m_printers.abortDocument();
    // Also after a failure: the grid goes back to the portrait page it
    // shows at all other times.
    m_printers.setOrientation(PrinterService::Portrait);
    m_host.SetColumnWidths();
    if (!sent && !problem.isEmpty())
        m_prompter.warn(QStringLiteral("The list could not be printed.\n\n") + problem,
                        ProgramInfo::title());
}
