// The driver's message texts taken from the program's caption table.
#include "optimizer/optimize_params.h"
#include "texts/caption_table.h"

namespace tralvin {

TOptimizerTexts TOptimizerTexts::FromCaptions(const CaptionTable& captions) {
  TOptimizerTexts t;
  auto take = [&captions](std::string& field, const char* key) {
    if (captions.Find(key) != nullptr) field = captions.Text(key);
  };
  // The width messages have no built-in text of their own: keep the general
  // one unless a caption file gives them a text.
  auto take_if_set = [&captions](std::string& field, const char* key) {
    if (captions.Find(key) != nullptr && !captions.Text(key).empty()) field = captions.Text(key);
  };
  take(t.MSG_PIECE_LABEL_CANT_BE_EMPTY, "MSG_PIECE_LABEL_CANT_BE_EMPTY");
  take(t.MSG_PIECE_LENGTH_FORMAT_INVALID, "MSG_PIECE_LENGTH_FORMAT_INVALID");
  take_if_set(t.MSG_PART_WIDTH_FORMAT_INVALID, "MSG_PART_WIDTH_FORMAT_INVALID");
  take(t.MSG_PIECE_QTY_FORMAT_INVALID, "MSG_PIECE_QTY_FORMAT_INVALID");
  take(t.MSG_LABEL_ISNT_UNIQUE, "MSG_LABEL_ISNT_UNIQUE");
  take(t.MSG_STOCK_LABEL_CANT_BE_EMPTY, "MSG_STOCK_LABEL_CANT_BE_EMPTY");
  take(t.MSG_STOCK_LENGTH_FORMAT_INVALID, "MSG_STOCK_LENGTH_FORMAT_INVALID");
  take_if_set(t.MSG_SHEET_WIDTH_FORMAT_INVALID, "MSG_SHEET_WIDTH_FORMAT_INVALID");
  take(t.MSG_STOCK_QTY_FORMAT_INVALID, "MSG_STOCK_QTY_FORMAT_INVALID");
  take(t.MSG_STOCK_COST_FORMAT_INVALID, "MSG_STOCK_COST_FORMAT_INVALID");
  take(t.MSG_PIECE_DATA_IS_EMPTY, "MSG_PIECE_DATA_IS_EMPTY");
  take(t.MSG_CANT_GET_RESULT, "MSG_CANT_GET_RESULT");
  return t;
}

}  // namespace tralvin
