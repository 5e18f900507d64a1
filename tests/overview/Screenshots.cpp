// Renders the overview window for the three unit variants with plausible
// live values and writes overview-heatwheel.png, overview-exchanger-exhaust-
// bypass.png and overview-exchanger-supply-bypass.png (and their mirrored
// twins) into the directory given as the only argument.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

#include "ui/overview/Form2.h"
#include "ui/overview/LiveOverview.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: overview_screenshots <directory>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));

    bxl::BindingTable bindings;
    bindings.build();
    bxl::ValueStore s;
    const int values[][2] = {{256, -32},  {257, 186},  {258, 221},  {259, 45},  {260, 194}, {261, 123},
                             {323, 212},  {273, 1250}, {274, 1180}, {300, 523}, {301, 487}, {276, 7550},
                             {296, 2500}, {297, 350},  {298, 0},    {293, 1},   {347, 1},   {294, 1},
                             {295, 1},    {355, 1},    {364, 112},  {365, 86},  {42, 1},    {145, 2}};
    for (const auto& v : values) s.setCurrent(v[0], v[1]);

    struct Variant {
        const char* name;
        int heatExchanger, bypassPosition;
    } variants[] = {
        {"heatwheel", 0, 0}, {"exchanger-exhaust-bypass", 1, 0}, {"exchanger-supply-bypass", 1, 2}};
    for (const Variant& v : variants) {
        TForm2 form;
        s.setCurrent(105, v.heatExchanger);
        s.setCurrent(104, v.bypassPosition);
        liveOverviewRefresh(s, bindings, form);
        form.toggleAndSelect(s);
        form.BitBtnLiReClick();  // the first panel of the pair: the drawing's own orientation
        QApplication::processEvents();
        form.grab().save(dir.filePath(QStringLiteral("overview-%1.png").arg(v.name)));
        form.BitBtnLiReClick();
        QApplication::processEvents();
        form.grab().save(dir.filePath(QStringLiteral("overview-%1-mirrored.png").arg(v.name)));
    }
    return 0;
}
