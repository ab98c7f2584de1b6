#include "app/books_dialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/book_keeper.h"
#include "app/books_chart.h"
#include "books/book_ledger.h"
#include "books/book_report.h"
#include "books/report_text.h"
#include "platform/clipboard.h"
#include "platform/file_io.h"
#include "platform/message_box.h"
#include "res/resource.h"
#include "timers/field_text.h"

namespace {
const char* const periodNames[] = {"Today", "This week", "This month", "Last month", "All", "Between two dates"};
constexpr int defaultPeriod = 2;  // this month: what a bill usually covers

struct BooksDialog {
    const AppState* app = nullptr;
    BookLedger ledger;
    BookReport report;
    bool entries = false;
    std::string decimalMark;
    std::string listSeparator;
};

// A year of books takes a moment to read and to sum up.
class WaitCursor {
public:
    WaitCursor() : old_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(old_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR old_;
};

BooksDialog& stateOf(HWND dialog) { return *reinterpret_cast<BooksDialog*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

std::string localeText(LCTYPE item) {
    char text[8] = {};
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, item, text, sizeof text) > 0 ? text : "";
}

LocalDate today() { return dateTimeOfSeconds(BookKeeper::now()).date; }

std::string controlText(HWND dialog, int id) {
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// "2026-12-07", blanks around it allowed.
bool readDate(HWND dialog, int id, LocalDate& date) {
    std::string text = controlText(dialog, id);
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos) return false;
    LocalDateTime time;
    if (!parseDateTimeText(text.substr(first, last - first + 1) + " 00:00:00", time)) return false;
    date = time.date;
    return true;
}

HWND listOf(HWND dialog) { return GetDlgItem(dialog, IDC_BOOKS_LIST); }

int dialogUnitsToPixels(HWND dialog, int units) {
    RECT box = {0, 0, units, 0};
    MapDialogRect(dialog, &box);
    return box.right;
}

void setColumns(HWND dialog, bool entries) {
    static const int rowWidths[] = {140, 45, 50, 45, 55};
    static const int entryWidths[] = {90, 72, 72, 40, 32, 66, 42, 24};
    HWND list = listOf(dialog);
    while (SendMessageA(list, LVM_DELETECOLUMN, 0, 0)) {
    }
    const std::vector<ReportColumn>& columns = reportColumns(entries);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        // Numbers line up on the right; texts and dates read from the left.
        const bool date = entries && (i == 1 || i == 2);
        column.fmt = columns[i].isText || date ? LVCFMT_LEFT : LVCFMT_RIGHT;
        column.cx = dialogUnitsToPixels(dialog, entries ? entryWidths[i] : rowWidths[i]);
        column.pszText = const_cast<char*>(columns[i].name);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

bool readPeriod(HWND dialog, BookPeriod& period) {
    const LRESULT chosen = SendDlgItemMessageA(dialog, IDC_BOOKS_PERIOD, CB_GETCURSEL, 0, 0);
    period.kind = static_cast<BookPeriodKind>(chosen < 0 ? defaultPeriod : chosen);
    if (period.kind != BookPeriodKind::Dates) return true;
    return readDate(dialog, IDC_BOOKS_FROM, period.from) && readDate(dialog, IDC_BOOKS_TO, period.to);
}

std::size_t shownCount(const BooksDialog& books) {
    if (books.entries) return books.report.endEntry - books.report.firstEntry;
    return books.report.rows.size() + 1;  // and the total
}

void showReport(HWND dialog) {
    BooksDialog& books = stateOf(dialog);
    BookPeriod period;
    // Dates half typed show nothing rather than some other period.
    if (readPeriod(dialog, period)) {
        WaitCursor wait;
        books.report = buildBookReport(books.ledger, period, today());
    } else {
        books.report = BookReport{};
    }
    SendMessageA(listOf(dialog), LVM_SETITEMCOUNT, shownCount(books), 0);
    InvalidateRect(listOf(dialog), nullptr, TRUE);
    InvalidateRect(GetDlgItem(dialog, IDC_BOOKS_CHART), nullptr, TRUE);
}

void enableDates(HWND dialog) {
    const bool dates = SendDlgItemMessageA(dialog, IDC_BOOKS_PERIOD, CB_GETCURSEL, 0, 0) ==
                       static_cast<LRESULT>(BookPeriodKind::Dates);
    for (int id : {IDC_BOOKS_FROM, IDC_BOOKS_TO, IDC_BOOKS_FROM_LABEL, IDC_BOOKS_TO_LABEL}) {
        EnableWindow(GetDlgItem(dialog, id), dates);
    }
}

std::vector<std::string> shownCells(const BooksDialog& books, std::size_t item) {
    if (books.entries) return bookEntryCells(books.ledger.entry(books.report.firstEntry + item), books.decimalMark);
    if (item < books.report.rows.size()) {
        const BookRow& row = books.report.rows[item];
        return bookRowCells(row, row.description, books.decimalMark);
    }
    return bookRowCells(books.report.total, reportTotalName, books.decimalMark);
}

void onGetDisplayInfo(HWND dialog, NMLVDISPINFOA& info) {
    const BooksDialog& books = stateOf(dialog);
    if (!(info.item.mask & LVIF_TEXT) || info.item.iItem < 0 ||
        static_cast<std::size_t>(info.item.iItem) >= shownCount(books) || info.item.cchTextMax <= 0) {
        return;
    }
    const std::vector<std::string> cells = shownCells(books, static_cast<std::size_t>(info.item.iItem));
    const std::size_t column = static_cast<std::size_t>(info.item.iSubItem);
    copyFieldText(info.item.pszText, static_cast<std::size_t>(info.item.cchTextMax),
                  column < cells.size() ? cells[column].c_str() : "");
}

std::string shownText(const BooksDialog& books, const ReportTextFormat& format) {
    return books.entries ? reportEntriesText(books.report, books.ledger, format) : reportRowsText(books.report, format);
}

void copyReport(HWND dialog) {
    const BooksDialog& books = stateOf(dialog);
    if (!copyTextToClipboard(dialog, shownText(books, copyTextFormat(books.decimalMark)))) {
        showMessage(dialog, "The report cannot be put on the clipboard.", books.app->title, MB_OK | MB_ICONERROR);
    }
}

void exportReport(HWND dialog) {
    const BooksDialog& books = stateOf(dialog);
    char path[MAX_PATH] = "books.csv";
    OPENFILENAMEA choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = dialog;
    choice.lpstrFilter = "CSV file (*.csv)\0*.csv\0";
    choice.lpstrFile = path;
    choice.nMaxFile = sizeof path;
    choice.lpstrDefExt = "csv";
    choice.lpstrTitle = "Export the report";
    // The books and the list are found relative to the current directory.
    choice.Flags = OFN_EXPLORER | OFN_LONGNAMES | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&choice)) return;
    const std::string text = shownText(books, exportTextFormat(books.listSeparator, books.decimalMark));
    if (!replaceFileContents(path, text.data(), text.size())) {
        const std::string problem = std::string("The report cannot be written to ") + path + ".";
        showMessage(dialog, problem.c_str(), books.app->title, MB_OK | MB_ICONERROR);
    }
}

void openBooksFolder(HWND dialog) {
    CreateDirectoryA(booksFolder, nullptr);  // an empty folder rather than none
    char path[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(booksFolder, sizeof path, path, nullptr);
    if (length == 0 || length >= sizeof path ||
        reinterpret_cast<INT_PTR>(ShellExecuteA(dialog, "open", path, nullptr, nullptr, SW_SHOWNORMAL)) <= 32) {
        showMessage(dialog, "The Books folder cannot be opened.", stateOf(dialog).app->title, MB_OK | MB_ICONERROR);
    }
}

void onInit(HWND dialog, LPARAM lParam) {
    BooksDialog& books = *new BooksDialog;
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&books));
    books.app = reinterpret_cast<const AppState*>(lParam);
    books.decimalMark = localeText(LOCALE_SDECIMAL);
    books.listSeparator = localeText(LOCALE_SLIST);
    if (books.app->books) {
        WaitCursor wait;
        books.app->books->readAll(*books.app, books.ledger);
    }
    for (const char* name : periodNames) SendDlgItemMessageA(dialog, IDC_BOOKS_PERIOD, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendDlgItemMessageA(dialog, IDC_BOOKS_PERIOD, CB_SETCURSEL, defaultPeriod, 0);
    const std::string date = dateText(today());
    SetDlgItemTextA(dialog, IDC_BOOKS_FROM, date.c_str());
    SetDlgItemTextA(dialog, IDC_BOOKS_TO, date.c_str());
    enableDates(dialog);
    SendMessageA(listOf(dialog), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    setColumns(dialog, false);
    showReport(dialog);
}

void onCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDC_BOOKS_PERIOD:
            if (HIWORD(wParam) != CBN_SELCHANGE) return;
            enableDates(dialog);
            showReport(dialog);
            return;
        case IDC_BOOKS_FROM:
        case IDC_BOOKS_TO:
            if (HIWORD(wParam) == EN_CHANGE) showReport(dialog);
            return;
        case IDC_BOOKS_ENTRIES:
            stateOf(dialog).entries = IsDlgButtonChecked(dialog, IDC_BOOKS_ENTRIES) == BST_CHECKED;
            setColumns(dialog, stateOf(dialog).entries);
            showReport(dialog);
            return;
        case IDC_BOOKS_COPY: copyReport(dialog); return;
        case IDC_BOOKS_EXPORT: exportReport(dialog); return;
        case IDC_BOOKS_OPEN_FOLDER: openBooksFolder(dialog); return;
        case IDOK:
        case IDCANCEL: EndDialog(dialog, 0); return;
        default: return;
    }
}
}  // namespace

void runBooksDialog(const AppState& app) {
    DialogBoxParamA(app.hInstance, MAKEINTRESOURCEA(IDD_BOOKS), app.hwndMain, BooksDialogProc,
                    reinterpret_cast<LPARAM>(&app));
}

INT_PTR CALLBACK BooksDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            onInit(dialog, lParam);
            return TRUE;
        case WM_COMMAND:
            if (GetWindowLongPtrA(dialog, DWLP_USER)) onCommand(dialog, wParam);
            return TRUE;
        case WM_NOTIFY: {
            const NMHDR& header = *reinterpret_cast<NMHDR*>(lParam);
            if (header.idFrom == IDC_BOOKS_LIST && header.code == LVN_GETDISPINFOA) {
                onGetDisplayInfo(dialog, *reinterpret_cast<NMLVDISPINFOA*>(lParam));
            }
            return TRUE;
        }
        case WM_DRAWITEM:
            if (wParam != IDC_BOOKS_CHART) return FALSE;
            drawBooksChart(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam),
                           reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), stateOf(dialog).report);
            return TRUE;
        case WM_DESTROY:
            delete &stateOf(dialog);
            SetWindowLongPtrA(dialog, DWLP_USER, 0);
            return TRUE;
        default:
            return FALSE;
    }
}
