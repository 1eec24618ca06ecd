#include "CupsJob.h"

#include <QDir>
#include <QPageLayout>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <vector>

namespace CupsJob {

QString send(const QString &printer, const QByteArray &pdf, const QString &title,
             const QPageLayout &layout)
{
    QTemporaryFile file(QDir::temp().filePath(QStringLiteral("pillora-XXXXXX.pdf")));
    if (!file.open() || file.write(pdf) != pdf.size() || !file.flush())
        return QStringLiteral("The print job could not be prepared: %1").arg(file.errorString());

    // The options Qt's own print engine gives: the paper by its name, and
    // landscape pages marked as such.
    QByteArray name = "media";
    QByteArray media = layout.pageSize().key().toUtf8();
    QByteArray landscape = "landscape";
    QByteArray none;
    std::vector<cups_option_t> options{{name.data(), media.data()}};
    if (layout.orientation() == QPageLayout::Landscape)
        options.push_back({landscape.data(), none.data()});

    // A printer instance ("queue/instance") prints on its queue.
    const QByteArray queue = printer.section(u'/', 0, 0).toLocal8Bit();
    const int job = cupsPrintFile(queue.constData(), QFile::encodeName(file.fileName()).constData(),
                                  title.toUtf8().constData(), int(options.size()), options.data());
    if (job == 0)
        return QStringLiteral("The printer \u201c%1\u201d did not take the job: %2")
            .arg(printer, QString::fromUtf8(cupsLastErrorString()));
    return {};
}

} // namespace CupsJob
