// Printing: the print dialog, the printer drawing surface and the printer of
// a text area's styled text.
//
// Positions and sizes on a printer surface are points (1/72 inch), measured
// from the page's printable origin; a block 540 wide and 720 high is 7.5 by
// 10 inches. The surface draws only what it is told to: no header, footer or
// page number of its own.
#pragma once

#include <cstdint>
#include <memory>

class Window;

// A page setup for the print dialog; the program never makes one, so it
// carries nothing yet.
class PrinterSetup {};

// A printer drawing surface. The print job is finished when the last
// reference to the surface goes; a PDF file that could not be written in
// full (a full disk) is then reported with a beep and a message box naming
// the file and the reason.
class Graphics {
 public:
  // The framework's Qt side of the surface (internal/printing_native.h).
  struct Impl;
  explicit Graphics(std::unique_ptr<Impl> impl);
  ~Graphics();
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;

  // Ends the current page and starts a new one.
  void NextPage();

 private:
  friend struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Draws a text's styled text, laid out to a fixed width, block by block;
// made by TextArea::styledTextPrinter (its text in its font). Making one
// for an empty surface raises NilObjectException.
class StyledTextPrinter {
 public:
  // The framework's Qt side of the printer (internal/printing_native.h).
  struct Impl;
  explicit StyledTextPrinter(std::unique_ptr<Impl> impl);
  ~StyledTextPrinter();
  StyledTextPrinter(const StyledTextPrinter&) = delete;
  StyledTextPrinter& operator=(const StyledTextPrinter&) = delete;

  // Draws, with its top left corner at (x, y) on the current page, as many
  // of the remaining lines as fit whole into height, and moves past them. A
  // single line taller than the block is drawn cut, so printing always ends.
  void DrawBlock(int64_t x, int64_t y, int64_t height);
  // True when no text is left to draw. (EOF itself is a C library macro.)
  bool Eof() const;

 private:
  std::unique_ptr<Impl> impl_;
};

// Shows the platform's print dialog (modal, main thread only). Returns the
// surface of the chosen printer, or nothing when the user cancels. Both
// arguments may be empty.
std::shared_ptr<Graphics> OpenPrinterDialog(const std::shared_ptr<PrinterSetup>& pageSetup,
                                            const std::shared_ptr<Window>& parent);
