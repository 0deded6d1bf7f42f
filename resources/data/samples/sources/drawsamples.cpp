// Draws the demo history: "history-samples.json" (clipping texts and application icons) and the
// pictures that become image clippings, all into the folder given.
// Usage: drawsamples FOLDER
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>
#include <functional>

namespace {

// With the three pictures, as many as the history keeps by default.
const QStringList Clippings = {
    "https://www.openstreetmap.org/#map=15/60.1699/24.9384",
    "git log --oneline --graph --decorate -20",
    "Meeting moved to Thursday at 14:30, room Aalto 2. Bring the printed budget sheets.",
    "linnea.virtanen@example.org",
    "+358 40 123 4567",
    "for (const auto &item : items) {\n    if (item.expired())\n        continue;\n    total += item.price();\n}",
    "SELECT name, count(*) AS orders\nFROM customers JOIN orders USING (customer_id)\nGROUP BY name\nORDER BY orders DESC;",
    "{\"id\": 1042, \"status\": \"shipped\", \"carrier\": \"Posti\", \"eta\": \"2024-05-17\"}",
    "#3a7bd5",
    "Kauppakatu 12 B 7\n40100 Jyväskylä\nFinland",
    "The best way to get a good idea is to get a lot of ideas.",
    "Wi-Fi guest network: Orchard-Guest / password on the fridge door",
    "- [x] book the train\n- [ ] pack the charger\n- [ ] water the plants",
    "Thanks for the quick reply! 🙌 I'll send the files tonight.",
    "Invoice 2024-118 is due on 31 May. Reference: 1232 4568 7797.",
    "Rye sourdough: 500 g rye flour, 400 g water, 100 g starter, 10 g salt. Proof 3 h, bake 60 min at 220 °C.",
    "Hi team, the release candidate is on the shared drive. Please test the installer on your machines before Friday "
    "and write what you find into the tracker, one issue per problem. Screenshots help a lot.",
};

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QString pngBase64(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QString::fromLatin1(bytes.toBase64());
}

// A 64 x 64 application icon: a rounded tile in `colour` with a symbol drawn on it.
QImage appIcon(const QColor &colour, const std::function<void(QPainter &)> &symbol)
{
    QImage image = canvas(64, 64);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 64);
    fill.setColorAt(0, colour.lighter(125));
    fill.setColorAt(1, colour.darker(115));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(4, 4, 56, 56), 12, 12);
    painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    symbol(painter);
    return image;
}

QJsonObject icons()
{
    QJsonObject result;
    result["Terminal"] = pngBase64(appIcon(QColor(45, 52, 64), [](QPainter &p) {
        p.drawPolyline(QPolygonF({QPointF(16, 22), QPointF(26, 32), QPointF(16, 42)}));
        p.drawLine(QPointF(30, 44), QPointF(46, 44));
    }));
    result["Text Editor"] = pngBase64(appIcon(QColor(58, 123, 213), [](QPainter &p) {
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(18, 20 + i * 8), QPointF(i == 3 ? 36 : 46, 20 + i * 8));
    }));
    result["Web Browser"] = pngBase64(appIcon(QColor(34, 150, 120), [](QPainter &p) {
        p.setPen(QPen(Qt::white, 3));
        p.drawEllipse(QPointF(32, 32), 16, 16);
        p.drawEllipse(QPointF(32, 32), 7, 16);
        p.drawLine(QPointF(16, 32), QPointF(48, 32));
    }));
    result["Mail"] = pngBase64(appIcon(QColor(220, 120, 40), [](QPainter &p) {
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawRect(QRectF(15, 20, 34, 24));
        p.drawPolyline(QPolygonF({QPointF(15, 20), QPointF(32, 34), QPointF(49, 20)}));
    }));
    result["Chat"] = pngBase64(appIcon(QColor(130, 80, 190), [](QPainter &p) {
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(14, 16, 36, 24), 8, 8);
        bubble.moveTo(22, 40);
        bubble.lineTo(20, 50);
        bubble.lineTo(32, 40);
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(bubble.simplified());
    }));
    result["Spreadsheet"] = pngBase64(appIcon(QColor(40, 140, 60), [](QPainter &p) {
        p.setPen(QPen(Qt::white, 3));
        p.drawRect(QRectF(16, 18, 32, 28));
        p.drawLine(QPointF(16, 27), QPointF(48, 27));
        p.drawLine(QPointF(16, 36), QPointF(48, 36));
        p.drawLine(QPointF(28, 18), QPointF(28, 46));
    }));
    return result;
}

// A lake below mountains at dusk.
QImage landscape()
{
    QImage image(640, 400, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 260);
    sky.setColorAt(0, QColor(38, 56, 110));
    sky.setColorAt(0.6, QColor(232, 128, 92));
    sky.setColorAt(1, QColor(250, 204, 120));
    p.fillRect(0, 0, 640, 260, sky);
    QRadialGradient sun(QPointF(430, 220), 60);
    sun.setColorAt(0, QColor(255, 244, 200));
    sun.setColorAt(0.5, QColor(255, 220, 140, 200));
    sun.setColorAt(1, QColor(255, 200, 120, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(430, 220), 60, 60);

    const QPolygonF far({QPointF(0, 260), QPointF(0, 170), QPointF(90, 110), QPointF(170, 160), QPointF(260, 90),
                         QPointF(360, 170), QPointF(450, 130), QPointF(560, 180), QPointF(640, 140),
                         QPointF(640, 260)});
    p.setBrush(QColor(92, 84, 120));
    p.drawPolygon(far);
    const QPolygonF near({QPointF(0, 260), QPointF(0, 210), QPointF(120, 170), QPointF(230, 220),
                          QPointF(330, 185), QPointF(470, 230), QPointF(640, 200), QPointF(640, 260)});
    p.setBrush(QColor(48, 52, 70));
    p.drawPolygon(near);

    QLinearGradient water(0, 260, 0, 400);
    water.setColorAt(0, QColor(200, 130, 110));
    water.setColorAt(1, QColor(30, 42, 80));
    p.fillRect(0, 260, 640, 140, water);
    p.setPen(QPen(QColor(255, 236, 190, 150), 2));
    for (int i = 0; i < 8; ++i) {
        const int y = 272 + i * 14;
        const int half = 70 - i * 7;
        p.drawLine(430 - half, y, 430 + half, y);
    }
    return image;
}

// A note on a whiteboard, written large enough for text recognition.
QImage whiteboard()
{
    QImage image(640, 400, QImage::Format_RGB32);
    image.fill(QColor(246, 246, 242));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QPen(QColor(170, 170, 170), 6));
    p.drawRect(3, 3, 634, 394);
    QFont title("DejaVu Sans", 26, QFont::Bold);
    p.setFont(title);
    p.setPen(QColor(30, 60, 140));
    p.drawText(QRect(40, 30, 560, 50), Qt::AlignLeft | Qt::AlignVCenter, "Release checklist");
    QFont body("DejaVu Sans", 18);
    p.setFont(body);
    p.setPen(QColor(40, 40, 40));
    const QStringList lines = {"1. Update the release notes", "2. Build the packages", "3. Test on a clean machine",
                               "4. Tag the version", "5. Tell the users"};
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(QRect(60, 100 + i * 52, 540, 44), Qt::AlignLeft | Qt::AlignVCenter, lines.at(i));
    p.setPen(QPen(QColor(200, 40, 40), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(30, 122, 36, 130);
    p.drawLine(36, 130, 46, 112);
    return image;
}

// Monthly figures as a bar chart.
QImage chart()
{
    QImage image(640, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(QFont("DejaVu Sans", 12));
    p.setPen(QColor(60, 60, 60));
    p.drawText(QRect(0, 10, 640, 30), Qt::AlignCenter, "Orders per month");
    const QRect plot(70, 50, 540, 300);
    p.setPen(QColor(225, 225, 225));
    for (int i = 0; i <= 5; ++i) {
        const int y = plot.bottom() - i * plot.height() / 5;
        p.drawLine(plot.left(), y, plot.right(), y);
        p.setPen(QColor(110, 110, 110));
        p.drawText(QRect(10, y - 10, 50, 20), Qt::AlignRight | Qt::AlignVCenter, QString::number(i * 100));
        p.setPen(QColor(225, 225, 225));
    }
    const QList<int> values = {180, 220, 260, 240, 310, 380, 420, 395};
    const QStringList months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug"};
    const int slot = plot.width() / int(values.size());
    for (int i = 0; i < values.size(); ++i) {
        const int height = values.at(i) * plot.height() / 500;
        const QRectF bar(plot.left() + i * slot + 12, plot.bottom() - height, slot - 24, height);
        QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
        fill.setColorAt(0, QColor(86, 150, 230));
        fill.setColorAt(1, QColor(48, 102, 190));
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(bar, 4, 4);
        p.setPen(QColor(80, 80, 80));
        p.drawText(QRect(plot.left() + i * slot, plot.bottom() + 6, slot, 20), Qt::AlignCenter, months.at(i));
    }
    return image;
}

bool writeJson(const QString &path)
{
    QJsonObject document;
    document["clippings"] = QJsonArray::fromStringList(Clippings);
    document["icons"] = icons();
    QFile file(path);
    return file.open(QIODevice::WriteOnly)
        && file.write(QJsonDocument(document).toJson(QJsonDocument::Indented)) > 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawsamples FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool written = writeJson(folder.filePath("history-samples.json"))
        && landscape().save(folder.filePath("lake-at-dusk.jpg"), "JPG", 88)
        && whiteboard().save(folder.filePath("release-checklist.jpg"), "JPG", 92)
        && chart().save(folder.filePath("orders-per-month.jpg"), "JPG", 90);
    if (!written) {
        std::fprintf(stderr, "drawsamples: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
