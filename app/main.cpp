// Start-up: the application object, the four windows in the order main,
// overview, log, graphs (the three secondary windows hidden), then the message
// loop until the main window closes.
#include <exception>

#include "app/Application.h"
#include "app/Ports.h"
#include "model/Bindings.h"
#include "model/ValueStore.h"
#include "ui/graphs/Form4.h"
#include "ui/log/Form3.h"
#include "ui/main/Form1.h"
#include "ui/overview/Form2.h"

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    try {
        bxl::ValueStore store;
        bxl::BindingTable bindings;
        auto port = bxl::makeSystemPort();

        TForm1 form1(store, bindings, *port);
        TForm2 form2;
        TForm3 form3(store);
        TForm4 form4(store);
        form1.attachWindows(&form2, &form3, &form4);
        bxl::attachLiveOverview(form1, store, bindings, form2);

        form1.show();
        return app.exec();
    } catch (const std::exception& e) {
        TApplication::showFatal(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        TApplication::showFatal(QStringLiteral("Unknown error"));
    }
    return 1;
}
