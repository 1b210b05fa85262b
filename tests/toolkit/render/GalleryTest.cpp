// Every standard control on one form, drawn on the virtual screen in the plain look and compared
// pixel for pixel with a picture a person has looked at (tests/data/render/gallery.png). Set
// LUMO_UPDATE_REFERENCE=1 to write a new reference after a deliberate change of the look.
#include "../../support/ReferencePicture.h"

#include "toolkit/FormTester.h"
#include "toolkit/TBitBtn.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TButton.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TComboBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"
#include "toolkit/TGroupBox.h"
#include "toolkit/TImage.h"
#include "toolkit/TLabel.h"
#include "toolkit/TMemo.h"
#include "toolkit/TPageControl.h"
#include "toolkit/TPanel.h"
#include "toolkit/TSpeedButton.h"
#include "toolkit/TTabSheet.h"

#include "platform/image/Image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace toolkit;
using namespace platform;

namespace {

// A round 32-bit glyph with soft edges: a disc in the given colour with a lighter centre.
void DiscGlyph(TBitmap& glyph, int size, BYTE r, BYTE g, BYTE b)
{
    glyph.SetSize(size, size);
    const double radius = size / 2.0 - 1.0, centre = size / 2.0;
    for (int y = 0; y < size; ++y) {
        PixelBGRA* row = glyph.ScanLine(y);
        for (int x = 0; x < size; ++x) {
            double dx = x + 0.5 - centre, dy = y + 0.5 - centre;
            double d = std::sqrt(dx * dx + dy * dy);
            double cover = std::clamp(radius - d + 0.5, 0.0, 1.0);
            double light = std::clamp(1.0 - d / radius, 0.0, 1.0) * 0.45;
            auto mix = [light](BYTE c) { return BYTE(std::lround(c + (255 - c) * light)); };
            row[x] = MakePixel(mix(r), mix(g), mix(b), BYTE(std::lround(cover * 255)));
        }
    }
    glyph.SetPixelFormat(pf32bit);
    glyph.SetAlphaFormat(afDefined);
}

class TGalleryForm : public TForm {
public:
    explicit TGalleryForm(TComponent* owner) : TForm(owner)
    {
        SetName(u"GalleryForm");
        SetCaption(u"Галерея элементов");
        SetBorderStyle(bsSingle);
        SetBorderIcons({biSystemMenu, biMinimize});
        SetPosition(poDesigned);
        SetBounds(40, 30, 0, 0);
        SetClientWidth(660);
        SetClientHeight(440);

        auto* top = FormTester::Make<TPanel>(this, this, u"top", 0, 0, 660, 40);
        top->SetAlign(alTop);
        const StringView sources[] = {u"Сервер 1", u"Сервер 2", u"Радио"};
        const BYTE colours[][3] = {{220, 60, 50}, {40, 140, 220}, {60, 170, 80}};
        for (int i = 0; i < 3; ++i) {
            auto* b = FormTester::Make<TBitBtn>(this, top, u"source" + IntToStr(i + 1), 2 + i * 109, 2, 107, 36);
            b->SetCaption(sources[i]);
            TBitmap glyph;
            DiscGlyph(glyph, 32, colours[i][0], colours[i][1], colours[i][2]);
            b->SetGlyph(&glyph);
            b->SetCursor(crHandPoint);
        }
        auto* disabled = FormTester::Make<TBitBtn>(this, top, u"source4", 329, 2, 107, 36);
        disabled->SetCaption(u"Сервер 4");
        TBitmap grey;
        DiscGlyph(grey, 32, 230, 160, 40);
        disabled->SetGlyph(&grey);
        disabled->SetEnabled(false);

        auto* bottom = FormTester::Make<TPanel>(this, this, u"bottom", 0, 400, 660, 40);
        bottom->SetAlign(alBottom);
        for (int i = 0; i < 5; ++i) {
            auto* s = FormTester::Make<TSpeedButton>(this, bottom, u"tool" + IntToStr(i + 1), 2 + i * 34, 4, 32, 32);
            TBitmap glyph;
            DiscGlyph(glyph, 24, BYTE(60 + i * 40), BYTE(120 + i * 20), BYTE(220 - i * 35));
            s->SetGlyph(&glyph);
            s->SetFlat(i < 3);
            s->SetGroupIndex(i >= 3 ? 1 : 0);
        }
        FindComponent(u"tool4") ? static_cast<TSpeedButton*>(FindComponent(u"tool4"))->SetDown(true) : void();
        auto* caption = FormTester::Make<TSpeedButton>(this, bottom, u"captioned", 190, 4, 110, 32);
        caption->SetCaption(u"Вверх");
        TBitmap arrow;
        DiscGlyph(arrow, 16, 90, 90, 200);
        caption->SetGlyph(&arrow);
        auto* ok = FormTester::Make<TButton>(this, bottom, u"ok", 490, 8, 80, 25);
        ok->SetCaption(u"ОК");
        ok->SetDefault(true);
        auto* cancel = FormTester::Make<TButton>(this, bottom, u"cancel", 576, 8, 80, 25);
        cancel->SetCaption(u"Отмена");
        cancel->SetCancel(true);
        auto* off = FormTester::Make<TButton>(this, bottom, u"off", 404, 8, 80, 25);
        off->SetCaption(u"Недоступно");
        off->SetEnabled(false);

        auto* pages = FormTester::Make<TPageControl>(this, this, u"pages", 8, 48, 400, 344);
        auto* settings = new TTabSheet(this);
        settings->SetName(u"settingsPage");
        settings->SetPageControl(pages);
        settings->SetCaption(u"Настройки");
        auto* about = new TTabSheet(this);
        about->SetName(u"aboutPage");
        about->SetPageControl(pages);
        about->SetCaption(u"О программе");
        pages->SetActivePage(settings);

        auto* proxy = FormTester::Make<TGroupBox>(this, settings, u"proxy", 8, 8, 374, 140);
        proxy->SetCaption(u"Настройки прокси");
        auto* addressLabel = FormTester::Make<TLabel>(this, proxy, u"addressLabel", 15, 24, 35, 13);
        addressLabel->SetCaption(u"Адрес:");
        auto* portLabel = FormTester::Make<TLabel>(this, proxy, u"portLabel", 15, 53, 29, 13);
        portLabel->SetCaption(u"Порт:");
        auto* address = FormTester::Make<TEdit>(this, proxy, u"address", 55, 18, 121, 21);
        address->SetText(u"192.168.0.10");
        auto* port = FormTester::Make<TEdit>(this, proxy, u"port", 55, 48, 121, 21);
        port->SetText(u"8080");
        auto* use = FormTester::Make<TCheckBox>(this, proxy, u"useProxy", 15, 78, 185, 20);
        use->SetCaption(u"Использовать настройки прокси");
        use->SetChecked(true);
        auto* grayed = FormTester::Make<TCheckBox>(this, proxy, u"grayed", 200, 18, 160, 20);
        grayed->SetCaption(u"Частично");
        grayed->SetAllowGrayed(true);
        grayed->SetState(cbGrayed);
        auto* plainBox = FormTester::Make<TCheckBox>(this, proxy, u"plainBox", 200, 48, 160, 20);
        plainBox->SetCaption(u"Не отмечено");
        auto* save = FormTester::Make<TBitBtn>(this, proxy, u"save", 15, 103, 190, 25);
        save->SetCaption(u"Сохранить настройки соединения");

        auto* look = FormTester::Make<TGroupBox>(this, settings, u"look", 8, 155, 374, 60);
        look->SetCaption(u"Изменить внешний вид программы");
        auto* skins = FormTester::Make<TComboBox>(this, look, u"skins", 15, 25, 190, 21);
        for (StringView s : {u"Acryl (internal)", u"Air (internal)", u"Windows 8 (internal)"})
            skins->Items()->Add(s);
        skins->SetItemIndex(2);
        auto* reset = FormTester::Make<TBitBtn>(this, settings, u"reset", 120, 225, 140, 30);
        reset->SetCaption(u"Сброс настроек");
        auto* pageNote = FormTester::Make<TLabel>(this, settings, u"pageNote", 10, 270, 370, 30);
        pageNote->SetWordWrap(true);
        pageNote->SetCaption(u"Выбранный вид сразу применяется ко всем окнам программы.");

        auto* side = FormTester::Make<TPanel>(this, this, u"side", 416, 48, 236, 344);
        side->SetBevelOuter(bvLowered);
        side->SetCaption(u"");
        auto* title = FormTester::Make<TLabel>(this, side, u"title", 10, 8, 200, 20);
        title->Font()->SetHeight(-19);
        title->Font()->SetStyle({fsBold});
        title->SetCaption(u"Lumo TV Player");
        auto* picture = FormTester::Make<TImage>(this, side, u"picture", 10, 40, 64, 64);
        TBitmap logo;
        DiscGlyph(logo, 64, 40, 110, 200);
        picture->Picture()->SetGraphic(&logo);
        picture->SetAutoSize(true);
        auto* version = FormTester::Make<TLabel>(this, side, u"version", 84, 44, 140, 16);
        version->SetCaption(u"Версия 9.10");
        auto* link = FormTester::Make<TLabel>(this, side, u"link", 84, 62, 140, 16);
        link->Font()->SetColor(clBlue);
        link->Font()->SetStyle({fsBold, fsUnderline});
        link->SetCaption(u"example.org");
        link->SetCursor(crHandPoint);
        auto* muted = FormTester::Make<TLabel>(this, side, u"muted", 84, 82, 140, 16);
        muted->SetCaption(u"Недоступная метка");
        muted->SetEnabled(false);
        auto* thanks = FormTester::Make<TLabel>(this, side, u"thanks", 10, 114, 216, 32);
        thanks->SetWordWrap(true);
        thanks->SetCaption(u"Понравилась программа - отблагодари разработчиков!");
        auto* wallets = FormTester::Make<TMemo>(this, side, u"wallets", 10, 152, 216, 90);
        wallets->SetReadOnly(true);
        wallets->SetScrollBars(ssVertical);
        wallets->SetText(u"Кошельки WebMoney: \r\nR123456789012\r\nZ123456789012\r\nE123456789012\r\n"
                         u"U123456789012\r\nПоследняя строка\r\n");
        auto* group = FormTester::Make<TPanel>(this, side, u"captionPanel", 10, 252, 216, 36);
        group->SetBevelOuter(bvRaised);
        group->SetBevelInner(bvLowered);
        group->SetCaption(u"Панель с заголовком");
        auto* flat = FormTester::Make<TPanel>(this, side, u"flatPanel", 10, 296, 216, 36);
        flat->SetBevelOuter(bvNone);
        flat->SetColor(clWindow);
        flat->SetCaption(u"Панель без рамки");
        ok->TabStop();
        SetActiveControl(ok);
    }
};

} // namespace

TEST(GalleryRenderTest, EveryStandardControlMatchesTheReferencePicture)
{
    FormTester tester;
    auto* form = tester.CreateForm<TGalleryForm>();
    form->Show();
    tester.Pump();
    testsupport::ExpectMatchesReference(tester.WindowShot(form), "gallery");
}
