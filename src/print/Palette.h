#pragma once

#include <QColor>
#include <QString>

// Every colour the program draws with, screens and printouts alike, named for what it is used for.
// Style sheets name them as `@name` through `palette::sheet`.
namespace palette {

// The panels: steel blues on a pale page.
inline const QColor ink{0x1f, 0x3f, 0x5f};   // captions, labels, the dark information bars
inline const QColor deep{0x2f, 0x5f, 0x8f};  // titles, the darker end of a band, outlines
inline const QColor steel{0x46, 0x82, 0xb4}; // the lighter end of a band, card titles
inline const QColor page{0xee, 0xf3, 0xf8};  // behind the lists, the export and the import
inline const QColor rule{0xb0, 0xc4, 0xde};  // thin borders and dividers, the grid's selection
inline const QColor plain{0x20, 0x20, 0x20}; // ordinary text on a panel

// Frames grouping fields, and the tabs of a card.
inline const QColor frameLine{0x8a, 0x9b, 0xae};
inline const QColor frameFill{0xe6, 0xe9, 0xee};
inline const QColor frameTab{0xd6, 0xdc, 0xe4};

// The grids of the export and the import.
inline const QColor grid{0xc8, 0xd4, 0xe0};   // grid lines
inline const QColor header{0xdf, 0xe8, 0xf1}; // column headers
inline const QColor band{0xf1, 0xf6, 0xfb};   // every other row

// Fields.
inline const QColor focus{0xff, 0xff, 0x40};     // behind the field that has the focus
inline const QColor fixedFill{0xe4, 0xe4, 0xe4}; // a field the program writes (the amount in words)
inline const QColor fixedInk{0x30, 0x30, 0x30};
inline const QColor shownFill{0xf6, 0xf6, 0xf6}; // a field that only shows a chosen file
inline const QColor note{0xff, 0xfb, 0xe6};      // the slip workspace's information bar

// Outcomes.
inline const QColor alert{0xa0, 0x1c, 0x2c}; // waiting, discarded, refused
inline const QColor alertFill{0xfb, 0xe3, 0xe3};
inline const QColor done{0x1f, 0x5f, 0x2f}; // a batch finished, a row accepted
inline const QColor warnInk{0x5a, 0x3a, 0x00};
inline const QColor warnLine{0xe0, 0xa0, 0x30};
inline const QColor warnFill{0xff, 0xf4, 0xd6}; // a row with warnings, a folder that cannot be written

// The check dialogs' own colours: the tax code's and the card number's (the VAT number's and the
// IBAN's are the panels' steel).
inline const QColor checkTaxCode{0x2e, 0x8b, 0x57};
inline const QColor checkCard{0x1f, 0x5f, 0xb0};

// The printed slip: frames, boxes and captions; header strips and reserved zones; writing rules and
// the fold between the sections. The list printouts' slate.
inline const QColor slipInk{0x1d, 0x3f, 0x6e};
inline const QColor slipTint{0xe6, 0xee, 0xf7};
inline const QColor slipRule{0x8a, 0xa2, 0xc2};
inline const QColor slate{0x70, 0x80, 0x90};

// The link pictures' text, at rest and pressed.
inline const QColor linkRest{0x00, 0x00, 0x8b};
inline const QColor linkPressed{0xff, 0xa5, 0x00};

// The drawings: the printer and its light, the paper, the arrows that show a move, the card
// printout's folder and footer.
inline const QColor printer{0xf6, 0xf7, 0xf9};
inline const QColor printerLight{0x3c, 0xa0, 0x50};
inline const QColor paper{0xfb, 0xfd, 0xff};
inline const QColor paperEdge{0x9a, 0xa5, 0xb1};
inline const QColor paperShade{0xe9, 0xed, 0xf2};
inline const QColor shadow{0x00, 0x00, 0x00, 40};
inline const QColor glass{0xff, 0xff, 0xff, 230}; // the disc behind a check dialog's mark
inline const QColor arrow{0xd9, 0x6c, 0x00};
inline const QColor folderLine{0xb0, 0x7a, 0x10};
inline const QColor folderBack{0xe8, 0xa8, 0x20};
inline const QColor folderFrontTop{0xff, 0xe0, 0x70};
inline const QColor folderFrontBottom{0xf0, 0xb8, 0x30};
inline const QColor folderSheet{0x90, 0x90, 0x90};
inline const QColor footer{0xff, 0x8c, 0x00};

// `css` with every `@name` of a colour of the panels, frames, grids, fields and outcomes above written
// as its #rrggbb; an unknown name stays as it is.
QString sheet(const QString& css);

} // namespace palette
