// Printing: the print dialog, the printer drawing surface and the printer of
// a text area's styled text.
//
// Positions and sizes on a printer surface are points (1/72 inch), measured
// from the page's printable origin; a block 540 wide and 720 high is 7.5 by
// 10 inches. The surface draws only what it is told to: no header, footer or
// page number of its own.
//
// Nothing falls off the page, whatever paper and orientation the user
// chose: a block ends at the printable area's bottom edge, and the lines
// that do not fit there whole are left for the next block, so on a page
// lower than the block (landscape) the text simply takes more pages. A block
// keeps its line breaks; on a page narrower than the block (A5 portrait) it
// is drawn smaller, just enough to fit the width. Every line is printed
// once, whole.
//
// The dialog's choices hold: only the pages of a page range are put out
// (pages counted as the program draws them), and where the output does not
// make copies itself (a PDF file) the framework puts out the copies,
// collated or not, and for a PDF file the pages in reverse when asked to.
//
// A PDF file is whole or untouched: the document is written beside the
// target (Linux keeps it nameless until then) and takes the target's place
// only when the job has run to its end and every write succeeded. A job
// that ends early (Quit, the close box, a failure, a signal) leaves the
// target as it was; Quit, the close box or a failure also say so on
// standard error in one line. A target that exists and is not a regular
// file once symbolic links are followed (a named pipe, a device, a socket,
// a folder), or a file or folder that cannot be written, is refused before
// anything is opened, with the same beep and message box as a file that
// could not be written in full.
#pragma once

#include <cstdint>
#include <memory>

class Window;

// A page setup for the print dialog; the program never makes one, so it
// carries nothing yet.
class PrinterSetup {};

// A printer drawing surface. The print job is finished when the last
// reference to the surface goes, unless a failure or Quit is unwinding the
// handler then (the job is then cancelled); a PDF file that could not be
// written in full (a full disk) is reported with a beep and a message box
// naming the file and the reason.
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
  // of the remaining lines as fit whole into height and above the page's
  // bottom edge, and moves past them. A single line taller than that is
  // drawn cut, so printing always ends.
  void DrawBlock(int64_t x, int64_t y, int64_t height);
  // True when no text is left to draw. (EOF itself is a C library macro.)
  bool Eof() const;

 private:
  std::unique_ptr<Impl> impl_;
};

// Shows the platform's print dialog (modal, main thread only). Returns the
// surface of the chosen printer, or nothing when the user cancels or the
// PDF file cannot be opened (reported). Both arguments may be empty.
std::shared_ptr<Graphics> OpenPrinterDialog(const std::shared_ptr<PrinterSetup>& pageSetup,
                                            const std::shared_ptr<Window>& parent);
