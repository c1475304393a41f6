#pragma once

#include "core/record/testrecord.h"

class QWidget;

// The main pages, one of which is open at a time.
enum class PageId { Start, TestId, Building, Measurement, Graph, Preview };

// What a page asks of the application: move to another page, and the commands every page
// shares. A page holds a reference to the host and to the one test record.
class PageHost {
  public:
    virtual ~PageHost() = default;

    virtual TestRecord& record() = 0;

    // Closes the page now open and opens `page`, built afresh from the record. Calling it for
    // the page that is open reloads it (the Units menus).
    virtual void showPage(PageId page) = 0;

    // Whether `page` can be opened in this program; a page offers no button or menu for one
    // that cannot.
    virtual bool offers(PageId page) const {
        (void)page;
        return true;
    }

    // File menu: Save (writes at once when the test has a file, else the save page), Save As,
    // and Exit with its save prompt. `from` is the page asking, the parent of any box.
    // `usaceOnLine98` is true for the measurement page's Save, which keeps the USACE index.
    virtual void saveCommand(QWidget* from, bool usaceOnLine98 = false) = 0;
    virtual void saveAsCommand(QWidget* from) = 0;
    virtual void exitCommand(QWidget* from) = 0;

    // Help menu: the About box.
    virtual void aboutCommand(QWidget* from) = 0;
};
