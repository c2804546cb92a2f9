# Pictures of TavomcPresenterScenarioMain (filled by the artwork pipeline).
