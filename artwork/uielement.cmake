# Pictures of TavoUIElement (filled by the artwork pipeline).
