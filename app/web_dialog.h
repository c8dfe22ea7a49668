#pragma once

// "Extras → Netzwerk…": the web face on or off, its port, and whether it is offered to this
// computer only or to the hall's network; the pages' addresses as links. Each change applies at
// once and is kept with the other settings.

#include "core/program.h"
#include "web/web_server.h"

#include <QDialog>

class QLabel;

namespace ml::app {

class WebDialog : public QDialog {
  public:
    WebDialog(Program& program, web::WebServer& server, QWidget* parent);

  private:
    // The links and the notes, as the server stands now.
    void refresh();

    web::WebServer& server_;
    const Form& form_;
    QLabel* links_;
    QLabel* warning_;
};

} // namespace ml::app
