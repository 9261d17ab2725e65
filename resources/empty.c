/* Keeps the resource object library non-empty before any .rc exists. */
typedef int orbal_res_placeholder;
