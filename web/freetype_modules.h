/* FreeType's modules for the live page: the TrueType driver, its sfnt tables
   and glyph names, and the monochrome rasterizer, all the surface's fonts use. */
FT_USE_MODULE( FT_Driver_ClassRec, tt_driver_class )
FT_USE_MODULE( FT_Module_Class, sfnt_module_class )
FT_USE_MODULE( FT_Module_Class, psnames_module_class )
FT_USE_MODULE( FT_Renderer_Class, ft_raster1_renderer_class )
