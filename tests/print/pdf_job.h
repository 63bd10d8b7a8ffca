#pragma once

// A print job into a PDF file, as the print tests run it.

#include "print/print_job.h"
#include "print/print_page.h"
#include "support/scripted_prompter.h"

#include <QFileInfo>
#include <QPrinter>
#include <gtest/gtest.h>

namespace vellamo::testing {

// Prints `copies` cards of `doc` into `pdf` at `dpi`, questions answered by `ask`.
inline print::PrintJobResult printCardsToPdf(document::CardDocument& doc, const QString& pdf, int copies,
                                             int dpi, ScriptedPrompter& ask)
{
    QPrinter printer(QPrinter::HighResolution);
    print::useDefaultPdfPage(printer);
    printer.setResolution(dpi);
    printer.setOutputFileName(pdf);
    print::PrintJobSettings settings;
    settings.values.copies = copies;
    const print::PrintJobResult result = print::printCards(
        printer, doc, settings, [](const print::SheetPosition&) { return render::RenderContext(); }, ask);
    EXPECT_TRUE(result.printed) << result.error.toStdString();
    return result;
}

}  // namespace vellamo::testing
