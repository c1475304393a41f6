#pragma once

#include "ui/common/pagehost.h"

#include <QMainWindow>

class QFrame;

// A main page: a window of its own, 9600 x 7500 twips, centred, built afresh from the record on
// every load. The host constructs a page, calls Form_Load(), and later unload() when the user
// moves on. Closing the window through its frame acts as the page's Exit command, so the
// program never runs on without a visible page.
class MainPage : public QMainWindow {
    Q_OBJECT
  public:
    MainPage(PageHost& host, const QString& formName);

    // Fills every control from the record, sizes and centres the window, and shows it.
    virtual void Form_Load() = 0;

    // Closes and deletes the page without asking anything (the host moves to another page).
    void unload();

  protected:
    void closeEvent(QCloseEvent* event) override;

    PageHost& host() { return host_; }
    TestRecord& rec() { return host_.record(); }

    // Sets the size and centres the window (twips), and creates the 3D frame of
    // `frameWidth` x `frameHeight` twips at the top left of the client area.
    QFrame* makeFrame(int frameWidth = 9460, int frameHeight = 6800);
    void sizeAndCentre(int width = 9600, int height = 7500);

    // "Ventrel " + version + "  " + page name + "    File: " + file name.
    QString pageCaption(const QString& pageName) const;

  private:
    PageHost& host_;
    bool unloading_ = false;
};
