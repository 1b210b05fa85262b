// Forward declarations of the toolkit's classes.
#pragma once

namespace toolkit {

class ControlLook;
class EConvertError;
class EFOpenError;
class EIniFileException;
class EInvalidGraphic;
class EInvalidOperation;
class EListError;
class Exception;
class FormTester;
class TApplication;
class TBitBtn;
class TBitmap;
class TBrush;
class TButton;
class TButtonControl;
class TButtonGlyph;
class TCanvas;
class TCheckBox;
class TComboBox;
class TComponent;
class TControl;
class TCustomCheckBox;
class TCustomComboBox;
class TCustomControl;
class TCustomEdit;
class TCustomForm;
class TCustomGroupBox;
class TCustomLabel;
class TCustomMemo;
class TCustomPanel;
class TEdit;
class TFont;
class TForm;
class TGraphic;
class TGraphicControl;
class TGroupBox;
class THintWindow;
class TIcon;
class TImage;
class TIniFile;
class TLabel;
class TMemo;
class TMenuItem;
class TMessageForm;
class TObject;
class TPageControl;
class TPanel;
class TPen;
class TPersistent;
class TPicture;
class TPopupMenu;
class TPopupMenuWindow;
class TScreen;
class TSpeedButton;
class TStrings;
class TTabSheet;
class TTimer;
class TWinControl;

} // namespace toolkit
