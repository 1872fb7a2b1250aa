/* UDF bridge structures: placeholder regions until written. */
#include "iso.h"

void iso_udf_reset(void) {}
static void none(uint32_t f) { (void)f; }
#define R(n, s) const image_region n = {NULL, none, NULL, NULL, s, 0, 0};
R(udf_vol_recognition_region, "UDF volume recognition area")
R(udf_pad_to_32_region, "UDF pad to sector 32")
R(udf_main_seq_region, "UDF main seq")
R(udf_second_seq_region, "UDF second seq")
R(udf_integ_seq_region, "UDF integ seq")
R(udf_pad_to_256_region, "UDF pad to sector 256")
R(udf_anchor_region, "UDF Anchor volume")
R(udf_file_set_region, "UDF file set")
R(udf_dirtree_region, "UDF directory tree")
R(udf_file_entries_region, "UDF file entries")
R(udf_end_anchor_region, "UDF Anchor end volume")
R(udf_padend_region, "UDF Pad end")
