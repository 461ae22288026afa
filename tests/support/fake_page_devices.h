#pragma once

#include "forms/preview/page_devices.h"
#include "forms/preview/preview_form.h"
#include "support/page_recording.h"
#include "support/test_helpers.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillmark::test {

// The screen, printer and PDF files of a test: text 100 twips a character, a US Letter printer
// at 600 dots an inch, a preview played by a scripted user, and print jobs and PDF documents
// that note each sheet by the first text on its page (the page number of a report).
class FakePageDevices : public PageDevices {
public:
    using PreviewUser = std::function<void(TOrvPreview&)>;
    FakePageDevices& OnPreview(PreviewUser user)
    {
        previewUsers_.push_back(std::move(user));
        return *this;
    }
    // In the next print dialog: the range chosen, or nothing for cancelling it.
    FakePageDevices& PrintRangeAnswer(std::optional<PageRange> range)
    {
        rangeAnswers_.push_back(range);
        return *this;
    }

    PrinterPage Printer{600, 600, 5100, 6600, 0, 0, 5100, 6600};
    std::vector<int> PrintDialogsShown;                 // the page count each offered
    std::deque<std::vector<std::string>> PrintJobs;     // each job's sheets
    std::deque<std::vector<std::string>> PdfDocuments;  // each document's sheets
    std::vector<std::string> PdfTitles;
    std::vector<std::string> Problems;

    int TextWidth(const PageFont&, std::string_view text) override
    {
        return static_cast<int>(text.size()) * 100;
    }
    PrinterPage ReportPrinter() override { return Printer; }
    void ShowPreview(TOrvPreview& preview) override
    {
        if (previewUsers_.empty()) {
            Problems.push_back("nobody scripted the preview");
            return;
        }
        preview.FormShow();
        PreviewUser user = std::move(previewUsers_.front());
        previewUsers_.pop_front();
        user(preview);
        if (!preview.Closed) {
            Problems.push_back("the preview was left open");
        }
    }
    std::optional<PageRange> ChoosePrintRange(int pageCount) override
    {
        PrintDialogsShown.push_back(pageCount);
        return NextScripted(rangeAnswers_, Problems, "nobody scripted the print dialog");
    }
    std::unique_ptr<PageOutput> StartPrintJob() override
    {
        PrintJobs.emplace_back();
        return std::make_unique<Sheets>(PrintJobs.back());
    }
    std::unique_ptr<PdfOutput> StartPdf(const PrinterPage&, const std::string& title) override
    {
        PdfTitles.push_back(title);
        PdfDocuments.emplace_back();
        return std::make_unique<Pdf>(PdfDocuments.back());
    }
    bool ScriptUsedUp() const { return previewUsers_.empty() && rangeAnswers_.empty(); }

private:
    // A sheet reads as the first texts of its pages, "+" between two pages on one sheet.
    class Sheets : public PdfOutput {
    public:
        explicit Sheets(std::vector<std::string>& sheets) : sheets_(sheets)
        {
            sheets_.emplace_back();
        }
        void NewSheet() override { sheets_.emplace_back(); }
        void PlayPage(const RecordedPage& page, const PagePlacement&) override
        {
            const std::vector<DrawnText> texts = TextsOn(page);
            std::string& sheet = sheets_.back();
            sheet += (sheet.empty() ? "" : "+") + (texts.empty() ? "?" : texts.front().text);
        }
        std::string Finish() override
        {
            std::string document = "%PDF";
            for (const std::string& sheet : sheets_) {
                document += " " + sheet;
            }
            return document;
        }

    private:
        std::vector<std::string>& sheets_;
    };
    using Pdf = Sheets;

    std::deque<PreviewUser> previewUsers_;
    std::deque<std::optional<PageRange>> rangeAnswers_;
};

}  // namespace quillmark::test
