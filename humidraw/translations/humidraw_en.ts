<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>Ahu</name>
    <message>
        <source>夏</source>
        <translation>Summer</translation>
    </message>
    <message>
        <source>冬</source>
        <translation>Winter</translation>
    </message>
    <message>
        <source>室内</source>
        <translation>room</translation>
    </message>
    <message>
        <source>外気</source>
        <translation>outdoor air</translation>
    </message>
    <message>
        <source>給気</source>
        <translation>supply air</translation>
    </message>
    <message>
        <source>装置の出口が給気の状態に届きません（乾球温度 %1 °C、絶対湿度 %2 kg/kg(DA)、給気は %3 °C、%4 kg/kg(DA)）</source>
        <translation>The unit&apos;s outlet does not reach the supply state (dry bulb %1 °C, humidity ratio %2 kg/kg(DA); supply %3 °C, %4 kg/kg(DA))</translation>
    </message>
    <message>
        <source>%1・%2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>負荷が数値ではありません</source>
        <translation>A load is not a number</translation>
    </message>
    <message>
        <source>吹出温度差は正の数です</source>
        <translation>The supply temperature difference must be a positive number</translation>
    </message>
    <message>
        <source>顕熱負荷が 0 では吹出温度差から給気量が決まりません</source>
        <translation>With a sensible load of 0 the supply temperature difference gives no supply air flow</translation>
    </message>
    <message>
        <source>吹出温度差と負荷から給気量が決まりません</source>
        <translation>The supply temperature difference and the loads give no supply air flow</translation>
    </message>
    <message>
        <source>外気量の割合は 0 より大きく 1 以下です</source>
        <translation>The outdoor air fraction must be greater than 0 and at most 1</translation>
    </message>
    <message>
        <source>外気量は正の数です</source>
        <translation>The outdoor air flow must be a positive number</translation>
    </message>
    <message>
        <source>外気量が給気量を超えます</source>
        <translation>The outdoor air flow exceeds the supply air flow</translation>
    </message>
    <message>
        <source>出口の状態がありません</source>
        <translation>There is no leaving state</translation>
    </message>
    <message>
        <source>熱交換器</source>
        <translation>heat exchanger</translation>
    </message>
    <message>
        <source>混合</source>
        <translation>mixing</translation>
    </message>
    <message>
        <source>混合した状態が飽和を超えます</source>
        <translation>The mixed state is beyond saturation</translation>
    </message>
    <message>
        <source>予熱コイル</source>
        <translation>preheat coil</translation>
    </message>
    <message>
        <source>冷却コイル</source>
        <translation>cooling coil</translation>
    </message>
    <message>
        <source>送風機</source>
        <translation>fan</translation>
    </message>
    <message>
        <source>温度上昇と動力は 0 以上の数です</source>
        <translation>The temperature rise and the power must be numbers of 0 or more</translation>
    </message>
    <message>
        <source>再熱コイル</source>
        <translation>reheat coil</translation>
    </message>
    <message>
        <source>加湿器</source>
        <translation>humidifier</translation>
    </message>
    <message>
        <source>効率は 0 から 1 です</source>
        <translation>An effectiveness must be from 0 to 1</translation>
    </message>
    <message>
        <source>出口が飽和を超えるため、飽和した状態としました</source>
        <translation>The leaving state would be beyond saturation; the saturated state is used</translation>
    </message>
    <message>
        <source>値が数値ではありません</source>
        <translation>A value is not a number</translation>
    </message>
    <message>
        <source>目標の乾球温度 %1 °C が入口の %2 °C より低く、加熱しません</source>
        <translation>The target dry bulb %1 °C is below the inlet&apos;s %2 °C; the coil does not heat</translation>
    </message>
    <message>
        <source>給気の絶対湿度では飽和を超えるため、飽和した状態としました</source>
        <translation>The supply humidity ratio would be beyond saturation; the saturated state is used</translation>
    </message>
    <message>
        <source>飽和効率は 0 より大きく 1 以下です</source>
        <translation>The saturation efficiency must be greater than 0 and at most 1</translation>
    </message>
    <message>
        <source>飽和効率 %1 では給気の絶対湿度まで加湿できません</source>
        <translation>At a saturation efficiency of %1 the humidifier cannot reach the supply humidity ratio</translation>
    </message>
    <message>
        <source>バイパスファクタは 0 以上 1 未満です</source>
        <translation>The bypass factor must be at least 0 and below 1</translation>
    </message>
    <message>
        <source>装置露点の飽和状態がありません</source>
        <translation>There is no saturated state at the apparatus dew point</translation>
    </message>
    <message>
        <source>装置露点が入口の乾球温度以上で、冷却しません</source>
        <translation>The apparatus dew point is at or above the inlet dry bulb; the coil does not cool</translation>
    </message>
    <message>
        <source>装置露点が入口の露点以上のため除湿せず、顕熱だけの冷却としました</source>
        <translation>The apparatus dew point is at or above the inlet dew point; the coil cools without dehumidifying</translation>
    </message>
    <message>
        <source>出口のエンタルピーが入口より高く、冷却しません</source>
        <translation>The leaving enthalpy is above the inlet&apos;s; the coil does not cool</translation>
    </message>
    <message>
        <source>入口の絶対湿度が出口の目標より低いため除湿せず、出口の乾球温度まで顕熱だけの冷却としました</source>
        <translation>The inlet humidity ratio is below the leaving target&apos;s; the coil cools to the leaving dry bulb without dehumidifying</translation>
    </message>
    <message>
        <source>出口が装置露点より下になり、冷却コイルでは届きません（入口と出口を結ぶ線が飽和線と交わりません）</source>
        <translation>The leaving state would be below the apparatus dew point and a cooling coil cannot reach it (the line through the inlet and the leaving state does not meet saturation)</translation>
    </message>
    <message>
        <source>空調機を計算できません:
</source>
        <translation>The air-handling unit cannot be computed:
</translation>
    </message>
    <message>
        <source>空調機の季節の行が壊れています</source>
        <translation>The air-handling unit&apos;s season line is damaged</translation>
    </message>
    <message>
        <source>空調機の外気の行が壊れています</source>
        <translation>The air-handling unit&apos;s outdoor air line is damaged</translation>
    </message>
    <message>
        <source>空調機の室内の行が壊れています</source>
        <translation>The air-handling unit&apos;s room line is damaged</translation>
    </message>
    <message>
        <source>空調機の給気の行が壊れています</source>
        <translation>The air-handling unit&apos;s supply air line is damaged</translation>
    </message>
    <message>
        <source>空調機の熱回収の行が壊れています</source>
        <translation>The air-handling unit&apos;s heat recovery line is damaged</translation>
    </message>
    <message>
        <source>空調機の混合の行が壊れています</source>
        <translation>The air-handling unit&apos;s mixing line is damaged</translation>
    </message>
    <message>
        <source>空調機の予熱の行が壊れています</source>
        <translation>The air-handling unit&apos;s preheat line is damaged</translation>
    </message>
    <message>
        <source>空調機の冷却コイルの行が壊れています</source>
        <translation>The air-handling unit&apos;s cooling coil line is damaged</translation>
    </message>
    <message>
        <source>空調機の再熱の行が壊れています</source>
        <translation>The air-handling unit&apos;s reheat line is damaged</translation>
    </message>
    <message>
        <source>空調機の加湿器の行が壊れています</source>
        <translation>The air-handling unit&apos;s humidifier line is damaged</translation>
    </message>
    <message>
        <source>空調機の送風機の行が壊れています</source>
        <translation>The air-handling unit&apos;s fan line is damaged</translation>
    </message>
    <message>
        <source>空調機の行が壊れています</source>
        <translation>The air-handling unit&apos;s line is damaged</translation>
    </message>
    <message>
        <source>空調機の行の順序が違います</source>
        <translation>The air-handling unit&apos;s lines are out of order</translation>
    </message>
    <message>
        <source>空調機の行が途中で終わっています</source>
        <translation>The air-handling unit&apos;s lines end part way</translation>
    </message>
</context>
<context>
    <name>AhuDialog</name>
    <message>
        <source>空調機設計</source>
        <translation>Air-Handling Unit Design</translation>
    </message>
    <message>
        <source>夏期</source>
        <translation>Summer</translation>
    </message>
    <message>
        <source>冬期</source>
        <translation>Winter</translation>
    </message>
    <message>
        <source>計算(&amp;C)</source>
        <translation>&amp;Compute</translation>
    </message>
    <message>
        <source>記入(&amp;D)</source>
        <translation>&amp;Draw</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>外気</source>
        <translation>Outdoor air</translation>
    </message>
    <message>
        <source>外気量で</source>
        <translation>By outdoor air flow</translation>
    </message>
    <message>
        <source>外気率で</source>
        <translation>By outdoor air fraction</translation>
    </message>
    <message>
        <source>外気量 [%1]</source>
        <translation>Outdoor air flow [%1]</translation>
    </message>
    <message>
        <source>外気率 [%]</source>
        <translation>Outdoor air fraction [%]</translation>
    </message>
    <message>
        <source>室内と負荷</source>
        <translation>Room and loads</translation>
    </message>
    <message>
        <source>顕熱負荷 [%1]</source>
        <translation>Sensible load [%1]</translation>
    </message>
    <message>
        <source>潜熱負荷 [%1]</source>
        <translation>Latent load [%1]</translation>
    </message>
    <message>
        <source>給気</source>
        <translation>Supply air</translation>
    </message>
    <message>
        <source>給気量で</source>
        <translation>By supply air flow</translation>
    </message>
    <message>
        <source>吹出し温度差で</source>
        <translation>By supply temperature difference</translation>
    </message>
    <message>
        <source>給気量 [%1]</source>
        <translation>Supply air flow [%1]</translation>
    </message>
    <message>
        <source>吹出し温度差 [%1]</source>
        <translation>Supply temperature difference [%1]</translation>
    </message>
    <message>
        <source>熱交換器</source>
        <translation>Heat recovery</translation>
    </message>
    <message>
        <source>顕熱交換器</source>
        <translation>Sensible heat exchanger</translation>
    </message>
    <message>
        <source>全熱交換器</source>
        <translation>Total heat exchanger</translation>
    </message>
    <message>
        <source>温度効率 εt</source>
        <translation>Temperature effectiveness εt</translation>
    </message>
    <message>
        <source>エンタルピ効率 εh</source>
        <translation>Enthalpy effectiveness εh</translation>
    </message>
    <message>
        <source>還気との混合</source>
        <translation>Mixing with return air</translation>
    </message>
    <message>
        <source>還気は室内の状態</source>
        <translation>The return air is at the room state</translation>
    </message>
    <message>
        <source>予熱</source>
        <translation>Preheat</translation>
    </message>
    <message>
        <source>出口乾球温度 [%1]</source>
        <translation>Leaving dry-bulb temperature [%1]</translation>
    </message>
    <message>
        <source>冷却コイル</source>
        <translation>Cooling coil</translation>
    </message>
    <message>
        <source>出口の2つの状態値</source>
        <translation>Two properties of the leaving air</translation>
    </message>
    <message>
        <source>装置露点とバイパスファクタ</source>
        <translation>Apparatus dew point and bypass factor</translation>
    </message>
    <message>
        <source>出口乾球温度と相対湿度</source>
        <translation>Leaving dry-bulb temperature and relative humidity</translation>
    </message>
    <message>
        <source>装置露点 ADP [%1]</source>
        <translation>Apparatus dew point ADP [%1]</translation>
    </message>
    <message>
        <source>バイパスファクタ BF</source>
        <translation>Bypass factor BF</translation>
    </message>
    <message>
        <source>出口相対湿度 [%]</source>
        <translation>Leaving relative humidity [%]</translation>
    </message>
    <message>
        <source>再熱（給気温度まで）</source>
        <translation>Reheat (to the supply temperature)</translation>
    </message>
    <message>
        <source>送風機の昇温を除いて給気温度まで</source>
        <translation>To the supply temperature less the fan&apos;s rise</translation>
    </message>
    <message>
        <source>加湿器（給気の絶対湿度まで）</source>
        <translation>Humidifier (to the supply humidity ratio)</translation>
    </message>
    <message>
        <source>蒸気</source>
        <translation>Steam</translation>
    </message>
    <message>
        <source>水噴霧</source>
        <translation>Water spray</translation>
    </message>
    <message>
        <source>気化式</source>
        <translation>Vaporising</translation>
    </message>
    <message>
        <source>飽和効率 η</source>
        <translation>Saturation efficiency η</translation>
    </message>
    <message>
        <source>送風機</source>
        <translation>Fan</translation>
    </message>
    <message>
        <source>昇温で</source>
        <translation>By temperature rise</translation>
    </message>
    <message>
        <source>動力で</source>
        <translation>By power</translation>
    </message>
    <message>
        <source>昇温 [%1]</source>
        <translation>Temperature rise [%1]</translation>
    </message>
    <message>
        <source>動力 [kW]</source>
        <translation>Power [kW]</translation>
    </message>
    <message>
        <source>夏期か冬期のどちらかを選んでください。</source>
        <translation>Choose the summer, the winter or both.</translation>
    </message>
</context>
<context>
    <name>AhuReportWindow</name>
    <message>
        <source>熱交換器</source>
        <translation>Heat recovery</translation>
    </message>
    <message>
        <source>混合</source>
        <translation>Mixing</translation>
    </message>
    <message>
        <source>予熱</source>
        <translation>Preheat</translation>
    </message>
    <message>
        <source>冷却コイル</source>
        <translation>Cooling coil</translation>
    </message>
    <message>
        <source>再熱</source>
        <translation>Reheat</translation>
    </message>
    <message>
        <source>加湿器</source>
        <translation>Humidifier</translation>
    </message>
    <message>
        <source>送風機</source>
        <translation>Fan</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>State</translation>
    </message>
    <message>
        <source>機器</source>
        <translation>Component</translation>
    </message>
    <message>
        <source>出口</source>
        <translation>Leaving</translation>
    </message>
    <message>
        <source>全熱</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>全熱 [ton]</source>
        <translation>Total [ton]</translation>
    </message>
    <message>
        <source>顕熱</source>
        <translation>Sensible</translation>
    </message>
    <message>
        <source>潜熱</source>
        <translation>Latent</translation>
    </message>
    <message>
        <source>水量</source>
        <translation>Water</translation>
    </message>
    <message>
        <source>合計</source>
        <translation>Sum</translation>
    </message>
    <message>
        <source>給気量</source>
        <translation>Supply air flow</translation>
    </message>
    <message>
        <source>夏期</source>
        <translation>Summer</translation>
    </message>
    <message>
        <source>冬期</source>
        <translation>Winter</translation>
    </message>
    <message>
        <source>注意</source>
        <translation>Warnings</translation>
    </message>
    <message>
        <source>Humidraw 空調機設計 計算結果</source>
        <translation>Humidraw Air-Handling Unit Design Results</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>印刷(&amp;P)</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>印刷処理が中断されました</source>
        <translation>Printing was interrupted</translation>
    </message>
</context>
<context>
    <name>Chart</name>
    <message>
        <source>相対湿度RH[%]</source>
        <translation>Rel. humidity [%]</translation>
    </message>
    <message>
        <source>乾球温度 DB [℃]</source>
        <translation>Dry-bulb temperature DB [°C]</translation>
    </message>
    <message>
        <source>湿り空気 h-x 線図(全圧力P=%1kPa)</source>
        <translation>Psychrometric chart h-x (total pressure P = %1 kPa)</translation>
    </message>
    <message>
        <source>湿り空気 h-x 線図(全圧力P=%1mmHg)</source>
        <translation>Psychrometric chart h-x (total pressure P = %1 mmHg)</translation>
    </message>
    <message>
        <source>絶対湿度 x [kg/kg(DA)]</source>
        <translation>Humidity ratio x [kg/kg(DA)]</translation>
    </message>
    <message>
        <source>比エンタルピ h [kJ/kg(DA)]</source>
        <translation>Specific enthalpy h [kJ/kg(DA)]</translation>
    </message>
    <message>
        <source>比エンタルピ h [kcal/kg(DA)]</source>
        <translation>Specific enthalpy h [kcal/kg(DA)]</translation>
    </message>
    <message>
        <source>湿球温度WB[℃]</source>
        <translation>Wet-bulb temperature WB [°C]</translation>
    </message>
    <message>
        <source>比容積 v [m^3/kg(DA)]</source>
        <translation>Sp. vol. v [m^3/kg(DA)]</translation>
    </message>
    <message>
        <source>顕熱比SHF</source>
        <translation>SHF</translation>
    </message>
    <message>
        <source>熱水分比[kJ/kg]</source>
        <translation>Moist. ratio [kJ/kg]</translation>
    </message>
    <message>
        <source>熱水分比[kcal/kg]</source>
        <translation>Moist. ratio [kcal/kg]</translation>
    </message>
    <message>
        <source>(%1～%2℃)</source>
        <translation>(%1 to %2 °C)</translation>
    </message>
    <message>
        <source>乾球温度の下限は上限より低くしてください </source>
        <translation>The lowest dry-bulb temperature must be below the highest </translation>
    </message>
    <message>
        <source>乾球温度の上限は0℃より高くしてください </source>
        <translation>The highest dry-bulb temperature must be above 0 °C </translation>
    </message>
    <message>
        <source>この乾球温度の範囲では線図を作成できません </source>
        <translation>No chart can be made for this dry-bulb temperature range </translation>
    </message>
    <message>
        <source>大気圧は400〜800mmHgの範囲で指定してください</source>
        <translation>Give a total pressure from 400 to 800 mmHg</translation>
    </message>
    <message>
        <source>大気圧 %1mmHg では乾球温度の上限を%2℃以下にしてください</source>
        <translation>At a total pressure of %1 mmHg, give an upper dry-bulb limit of %2 °C or less</translation>
    </message>
    <message>
        <source>湿り空気 h-x 線図(全圧力P=%1psia)</source>
        <translation>Psychrometric chart h-x (total pressure P = %1 psia)</translation>
    </message>
    <message>
        <source>乾球温度 DB [°F]</source>
        <translation>Dry-bulb temperature DB [°F]</translation>
    </message>
    <message>
        <source>比エンタルピの基準: 乾き空気 0°F, 水 32°F</source>
        <translation>Enthalpy datum: dry air at 0 °F, liquid water at 32 °F</translation>
    </message>
    <message>
        <source>絶対湿度 x [gr/lb(DA)]</source>
        <translation>Humidity ratio W [gr/lb(DA)]</translation>
    </message>
    <message>
        <source>比エンタルピ h [Btu/lb(DA)]</source>
        <translation>Specific enthalpy h [Btu/lb(DA)]</translation>
    </message>
    <message>
        <source>湿球温度WB[°F]</source>
        <translation>Wet-bulb temperature WB [°F]</translation>
    </message>
    <message>
        <source>比容積 v [ft^3/lb(DA)]</source>
        <translation>Sp. vol. v [ft^3/lb(DA)]</translation>
    </message>
    <message>
        <source>熱水分比[Btu/lb]</source>
        <translation>Moisture-enthalpy ratio [Btu/lb]</translation>
    </message>
</context>
<context>
    <name>Coil</name>
    <message>
        <source>冷房時</source>
        <translation>Cooling</translation>
    </message>
    <message>
        <source>暖房時</source>
        <translation>Heating</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は浮動小数点数ではありません</source>
        <translation>&apos;%1&apos; is not a floating-point number</translation>
    </message>
    <message>
        <source>%1：違う種類のデータを入力して下さい</source>
        <translation>%1: enter two different kinds of data</translation>
    </message>
    <message>
        <source>%1：項目が選ばれていません (%2)</source>
        <translation>%1: no item is selected (%2)</translation>
    </message>
    <message>
        <source>%1：比ｴﾝﾀﾙﾋﾟと湿球温度の組み合わせでは計算できません</source>
        <translation>%1: no state can be computed from specific enthalpy and wet-bulb temperature</translation>
    </message>
    <message>
        <source>%1：この値では空気の状態を計算できません</source>
        <translation>%1: no air state can be computed from these values</translation>
    </message>
    <message>
        <source>%1：絶対湿度が負になります</source>
        <translation>%1: the humidity ratio becomes negative</translation>
    </message>
    <message>
        <source>%1：相対湿度が100%を超えます (%2%)</source>
        <translation>%1: the relative humidity exceeds 100% (%2%)</translation>
    </message>
    <message>
        <source>導入外気量(%1)が給気風量(%2)を超えるため、</source>
        <translation>As the outdoor air volume (%1) exceeds the supply air volume (%2), </translation>
    </message>
    <message>
        <source>混合空気の絶対湿度が負になります</source>
        <translation>the humidity ratio of the mixed air becomes negative</translation>
    </message>
    <message>
        <source>混合空気の状態を計算できません (%1, %2)</source>
        <translation>No mixed air state can be computed (%1, %2)</translation>
    </message>
    <message>
        <source>混合空気は外気の先に描かれます</source>
        <translation>the mixed air is drawn beyond the outdoor air</translation>
    </message>
    <message>
        <source>給気の状態を計算できません (%1)</source>
        <translation>No supply air state can be computed (%1)</translation>
    </message>
    <message>
        <source>給気の相対湿度が100%を超えます (%1%)。%2を見直して下さい</source>
        <translation>The relative humidity of the supply air exceeds 100% (%1%). Check %2</translation>
    </message>
    <message>
        <source>始点</source>
        <translation>Start point</translation>
    </message>
    <message>
        <source>終点</source>
        <translation>End point</translation>
    </message>
    <message>
        <source>線分作成</source>
        <translation>Draw Line</translation>
    </message>
    <message>
        <source>95%のコイル出口状態が求められません (EQL, EDT, ESA)</source>
        <translation>No coil leaving air state at 95% can be found (EQL, EDT, ESA)</translation>
    </message>
    <message>
        <source>吹き出し温度差(EDT)が小さすぎ、給気風量を計算できません</source>
        <translation>The supply temperature difference (EDT) is too small to compute the supply air volume</translation>
    </message>
    <message>
        <source>顕熱負荷(EQS)が0のため給気風量が0になり、計算できません</source>
        <translation>The sensible load (EQS) is 0, which makes the supply air volume 0: nothing can be computed</translation>
    </message>
    <message>
        <source>給気風量(ESA)が負の値です</source>
        <translation>The supply air volume (ESA) is negative</translation>
    </message>
    <message>
        <source>給気風量(ESA)が0で吹き出し温度差(EDT)も0以下のため、計算できません</source>
        <translation>The supply air volume (ESA) is 0 and the supply temperature difference (EDT) is 0 or less: nothing can be computed</translation>
    </message>
    <message>
        <source>給気風量(ESA)が小さすぎ、吹き出し温度差を計算できません</source>
        <translation>The supply air volume (ESA) is too small to compute the supply temperature difference</translation>
    </message>
    <message>
        <source>導入外気量(EOA)が負の値です</source>
        <translation>The outdoor air volume (EOA) is negative</translation>
    </message>
    <message>
        <source>顕熱負荷(EQS)が負の値です</source>
        <translation>The sensible load (EQS) is negative</translation>
    </message>
    <message>
        <source>外気条件(X1, X2)</source>
        <translation>Outdoor air (X1, X2)</translation>
    </message>
    <message>
        <source>室内設定条件(X10, X20)</source>
        <translation>Room design conditions (X10, X20)</translation>
    </message>
    <message>
        <source>潜熱負荷(EQL)が給気風量(ESA)に対して大きすぎ、給気の絶対湿度が0以下になります</source>
        <translation>The latent load (EQL) is too large for the supply air volume (ESA): the humidity ratio of the supply air becomes 0 or less</translation>
    </message>
    <message>
        <source>吹き出し温度差(EDT)・給気風量(ESA)</source>
        <translation>the supply temperature difference (EDT) and supply air volume (ESA)</translation>
    </message>
    <message>
        <source>加湿前の状態を計算できません (HEQS, HESA, HEOA)</source>
        <translation>No state before humidification can be computed (HEQS, HESA, HEOA)</translation>
    </message>
    <message>
        <source>導入外気量(HEOA)が負の値です</source>
        <translation>The outdoor air volume (HEOA) is negative</translation>
    </message>
    <message>
        <source>給気風量(HESA)が負の値です</source>
        <translation>The supply air volume (HESA) is negative</translation>
    </message>
    <message>
        <source>給気風量(HESA)が0のため、計算できません</source>
        <translation>The supply air volume (HESA) is 0: nothing can be computed</translation>
    </message>
    <message>
        <source>外気条件(HX1, HX2)</source>
        <translation>Outdoor air (HX1, HX2)</translation>
    </message>
    <message>
        <source>室内設定条件(HX10, HX20)</source>
        <translation>Room design conditions (HX10, HX20)</translation>
    </message>
    <message>
        <source>顕熱負荷(HEQS)・給気風量(HESA)</source>
        <translation>the sensible load (HEQS) and supply air volume (HESA)</translation>
    </message>
    <message>
        <source>図形の数が上限(%1)を超えるため記入できません</source>
        <translation>The process cannot be drawn: the objects would exceed their limit (%1)</translation>
    </message>
    <message>
        <source>導入外気量が0のため混合空気がなく、計算しません</source>
        <translation>No outdoor air, so no mixed air: not computed</translation>
    </message>
    <message>
        <source>状態値</source>
        <translation>Air states</translation>
    </message>
    <message>
        <source>給気風量</source>
        <translation>Supply air (SA) volume</translation>
    </message>
    <message>
        <source>導入外気量</source>
        <translation>Outdoor air (OA) volume</translation>
    </message>
    <message>
        <source>室内顕熱負荷</source>
        <translation>Room sensible load</translation>
    </message>
    <message>
        <source>室内潜熱負荷</source>
        <translation>Room latent load</translation>
    </message>
    <message>
        <source>冷却コイル 全熱負荷</source>
        <translation>Cooling coil total load</translation>
    </message>
    <message>
        <source>冷却コイル 顕熱負荷</source>
        <translation>Cooling coil sensible load</translation>
    </message>
    <message>
        <source>冷却コイル 潜熱負荷</source>
        <translation>Cooling coil latent load</translation>
    </message>
    <message>
        <source>除湿量(凝縮水)</source>
        <translation>Condensate (dehumidified water)</translation>
    </message>
    <message>
        <source>コイルSHF</source>
        <translation>Coil sensible heat factor (SHF)</translation>
    </message>
    <message>
        <source>装置露点温度 ADP</source>
        <translation>Apparatus dew point (ADP)</translation>
    </message>
    <message>
        <source>コイルの線は図の範囲内で飽和曲線と交わりません</source>
        <translation>The coil line does not meet the saturation curve within the chart</translation>
    </message>
    <message>
        <source>バイパスファクタ BF</source>
        <translation>Bypass factor (BF)</translation>
    </message>
    <message>
        <source>冷却コイル</source>
        <translation>Cooling coil</translation>
    </message>
    <message>
        <source>再熱量(再熱または送風機・ダクトの熱取得) CA→SA</source>
        <translation>Reheat (reheat, or fan and duct heat gain) CA→SA</translation>
    </message>
    <message>
        <source>外気負荷</source>
        <translation>Outdoor air load</translation>
    </message>
    <message>
        <source>加熱コイル負荷</source>
        <translation>Heating coil load</translation>
    </message>
    <message>
        <source>加湿量(蒸気加湿)</source>
        <translation>Humidification (steam)</translation>
    </message>
    <message>
        <source>加湿量(水加湿)</source>
        <translation>Humidification (water spray)</translation>
    </message>
    <message>
        <source>加熱コイル・加湿器</source>
        <translation>Heating coil and humidifier</translation>
    </message>
    <message>
        <source>給気の空気密度(現地の大気圧)</source>
        <translation>Supply air density (at the site&apos;s pressure)</translation>
    </message>
    <message>
        <source>質量流量は 1.2 kg/m³ で換算</source>
        <translation>mass flows reckoned at 1.2 kg/m³</translation>
    </message>
    <message>
        <source>冷凍トン</source>
        <translation>tons</translation>
    </message>
    <message>
        <source>質量流量は %1 lb/ft³ で換算</source>
        <translation>mass flows reckoned at %1 lb/ft³</translation>
    </message>
</context>
<context>
    <name>CoilReportWindow</name>
    <message>
        <source>Humidraw ｼﾝｸﾞﾙｺｲﾙ方式 計算結果</source>
        <translation>Humidraw single-coil system: results</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>印刷(&amp;P)</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>印刷処理が中断されました</source>
        <translation>Printing was interrupted</translation>
    </message>
</context>
<context>
    <name>Comfort</name>
    <message>
        <source>代謝量は正の数です</source>
        <translation>the metabolic rate must be a positive number</translation>
    </message>
    <message>
        <source>着衣量は 0 以上の数です</source>
        <translation>the clothing insulation must be a number of 0 or more</translation>
    </message>
    <message>
        <source>気流速度は 0 以上の数です</source>
        <translation>the air speed must be a number of 0 or more</translation>
    </message>
    <message>
        <source>平均放射温度の差は数です</source>
        <translation>the mean radiant temperature&apos;s offset must be a number</translation>
    </message>
    <message>
        <source>外部仕事は 0 以上、代謝量以下の数です</source>
        <translation>the external work must be a number from 0 to the metabolic rate</translation>
    </message>
</context>
<context>
    <name>CommandDialog</name>
    <message>
        <source>比ｴﾝﾀﾙﾋﾟ h[kJ/kg]</source>
        <translation>Specific enthalpy h [kJ/kg]</translation>
    </message>
    <message>
        <source>比ｴﾝﾀﾙﾋﾟ h[kcal/kg]</source>
        <translation>Specific enthalpy h [kcal/kg]</translation>
    </message>
    <message>
        <source>乾球温度 DB[℃]</source>
        <translation>Dry-bulb temperature DB [°C]</translation>
    </message>
    <message>
        <source>相対湿度 RH[%]</source>
        <translation>Relative humidity RH [%]</translation>
    </message>
    <message>
        <source>絶対湿度 x[kg/kg&apos;]</source>
        <translation>Humidity ratio x [kg/kg&apos;]</translation>
    </message>
    <message>
        <source>湿球温度 WB[℃]</source>
        <translation>Wet-bulb temperature WB [°C]</translation>
    </message>
    <message>
        <source>比容積 v[m^3/kg]</source>
        <translation>Specific volume v [m^3/kg]</translation>
    </message>
    <message>
        <source>乾球温度 DB[°F]</source>
        <translation>Dry-bulb temperature DB [°F]</translation>
    </message>
    <message>
        <source>比ｴﾝﾀﾙﾋﾟ h[Btu/lb]</source>
        <translation>Specific enthalpy h [Btu/lb]</translation>
    </message>
    <message>
        <source>湿球温度 WB[°F]</source>
        <translation>Wet-bulb temperature WB [°F]</translation>
    </message>
    <message>
        <source>比容積 v[ft^3/lb]</source>
        <translation>Specific volume v [ft^3/lb]</translation>
    </message>
    <message>
        <source>絶対湿度 x[gr/lb&apos;]</source>
        <translation>Humidity ratio x [gr/lb&apos;]</translation>
    </message>
</context>
<context>
    <name>Data</name>
    <message>
        <source>行が長すぎます（%1 バイトまで）</source>
        <translation>line too long (at most %1 bytes)</translation>
    </message>
    <message>
        <source>データの行が多すぎます（%1 行まで）</source>
        <translation>too many data rows (at most %1)</translation>
    </message>
    <message>
        <source>空気の状態を与える行がありません（%1 行）</source>
        <translation>no row gives an air state (%1 rows)</translation>
    </message>
    <message>
        <source>空気の状態を与える行がありません（%1 行。%2 行目: %3）</source>
        <translation>no row gives an air state (%1 rows; line %2: %3)</translation>
    </message>
    <message>
        <source>見出し行が長すぎます（%1 バイトまで）</source>
        <translation>the header row is too long (at most %1 bytes)</translation>
    </message>
    <message>
        <source>見出し行がありません</source>
        <translation>the file has no header row</translation>
    </message>
    <message>
        <source>見出し行に列「%1」がありません</source>
        <translation>no column &apos;%1&apos; in the header row</translation>
    </message>
    <message>
        <source>2つの量は別々の列から取ってください</source>
        <translation>the two properties must come from different columns</translation>
    </message>
    <message>
        <source>%1 は %2 では与えられません</source>
        <translation>%1 cannot be given in %2</translation>
    </message>
    <message>
        <source>数値ではありません: &apos;%1&apos;</source>
        <translation>not a number: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>項目が足りません</source>
        <translation>missing field</translation>
    </message>
    <message>
        <source>日時が長すぎます（%1 バイトまで）</source>
        <translation>date-time field too long (at most %1 bytes)</translation>
    </message>
    <message>
        <source>年が 1～9999 の外です</source>
        <translation>year outside 1-9999</translation>
    </message>
    <message>
        <source>月が 1～12 の外です</source>
        <translation>month outside 1-12</translation>
    </message>
    <message>
        <source>日が 1～31 の外です</source>
        <translation>day outside 1-31</translation>
    </message>
    <message>
        <source>時が 1～24 の外です</source>
        <translation>hour outside 1-24</translation>
    </message>
    <message>
        <source>EPW 気象ファイルではありません（LOCATION の行がありません）</source>
        <translation>not an EPW weather file (no LOCATION line)</translation>
    </message>
    <message>
        <source>日付と時刻ではありません</source>
        <translation>not a date and hour</translation>
    </message>
    <message>
        <source>数値ではありません</source>
        <translation>not a number</translation>
    </message>
    <message>
        <source>見出し行に量（DB, RH, x, h, WB, SV, DP）を名前とする列が2つありません</source>
        <translation>the header row does not name two properties (DB, RH, x, h, WB, SV, DP)</translation>
    </message>
    <message>
        <source>ライブラリの範囲外です</source>
        <translation>outside the library&apos;s range</translation>
    </message>
    <message>
        <source>2つの量では状態が決まりません</source>
        <translation>the two properties do not fix a state</translation>
    </message>
    <message>
        <source>相対湿度が 0～100 % の外です</source>
        <translation>RH outside 0-100 %</translation>
    </message>
    <message>
        <source>絶対湿度が 0 未満です</source>
        <translation>humidity ratio below zero</translation>
    </message>
    <message>
        <source>データセットが %1 を超えています</source>
        <translation>more than %1 data sets</translation>
    </message>
    <message>
        <source>ゾーンが %1 を超えています</source>
        <translation>more than %1 zones</translation>
    </message>
    <message>
        <source>点が合わせて %1 を超えています</source>
        <translation>more than %1 points in all</translation>
    </message>
    <message>
        <source>点が多すぎます（%1 MB を超えるメモリが要ります）</source>
        <translation>too many points (they would take more than %1 MB of memory)</translation>
    </message>
    <message>
        <source>シンボリックリンクのため、読み込みません</source>
        <translation>a symbolic link, not read</translation>
    </message>
    <message>
        <source>この図面を保存したときのものではありません（図面が別に保存されたか、他の図面のものです）</source>
        <translation>not saved with this drawing (the drawing was saved without it, or it belongs to another drawing)</translation>
    </message>
    <message>
        <source>読めなかったファイルを残せないため、書き換えません</source>
        <translation>the file that could not be read cannot be kept aside, so it is not replaced</translation>
    </message>
    <message>
        <source>飽和を超えています</source>
        <translation>above saturation</translation>
    </message>
    <message>
        <source>%1 時間/(1 °C × 0.001 kg/kg(DA))</source>
        <translation>%1 hours/(1 °C × 0.001 kg/kg(DA))</translation>
    </message>
    <message>
        <source>%1: 範囲の端が有限の数ではありません</source>
        <translation>%1: a bound is not a finite number</translation>
    </message>
    <message>
        <source>%1: 下限が上限より大きくなっています</source>
        <translation>%1: the lower bound is above the upper</translation>
    </message>
    <message>
        <source>ゾーンがどの量の範囲も限っていません</source>
        <translation>the zone bounds no property</translation>
    </message>
    <message>
        <source>%1 行目: %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>図面との対応の行が壊れています</source>
        <translation>the document&apos;s identity is damaged</translation>
    </message>
    <message>
        <source>データセットの見出しが壊れています</source>
        <translation>a data set&apos;s heading is damaged</translation>
    </message>
    <message>
        <source>データセットに名前がありません</source>
        <translation>a data set has no name</translation>
    </message>
    <message>
        <source>点が途中で終わっています</source>
        <translation>the points end early</translation>
    </message>
    <message>
        <source>点ではありません</source>
        <translation>not a point</translation>
    </message>
    <message>
        <source>ゾーンの色が壊れています</source>
        <translation>a zone&apos;s colour is damaged</translation>
    </message>
    <message>
        <source>ゾーンに名前がありません</source>
        <translation>a zone has no name</translation>
    </message>
    <message>
        <source>知らない量 %1</source>
        <translation>unknown property %1</translation>
    </message>
    <message>
        <source>範囲の端が数値ではありません</source>
        <translation>a bound is not a number</translation>
    </message>
    <message>
        <source>知らない行です</source>
        <translation>unknown line</translation>
    </message>
    <message>
        <source>ファイルが途中で終わっています（end の行がありません）</source>
        <translation>the file ends early (no end line)</translation>
    </message>
    <message>
        <source>Humidraw のデータファイルではありません</source>
        <translation>not a Humidraw data file</translation>
    </message>
    <message>
        <source>大気圧の行が壊れています</source>
        <translation>the pressure line is damaged</translation>
    </message>
    <message>
        <source>単位の行が壊れています</source>
        <translation>the units line is damaged</translation>
    </message>
    <message>
        <source>%1 時間/(%2 °F × %3 gr/lb(DA))</source>
        <translation>%1 hours/(%2 °F × %3 gr/lb(DA))</translation>
    </message>
    <message>
        <source>快適域 PMV %1 (%2 met, %3 clo, %4 m/s)</source>
        <translation>Comfort zone PMV %1 (%2 met, %3 clo, %4 m/s)</translation>
    </message>
    <message>
        <source>適応快適域 %1 月 %2 %</source>
        <translation>Adaptive comfort, month %1, %2 %</translation>
    </message>
    <message>
        <source>%1 に %2 月の時刻の点がなく、代表外気温度が求められません</source>
        <translation>%1 has no dated points in month %2: the prevailing mean outdoor temperature cannot be found</translation>
    </message>
    <message>
        <source>快適域の行が壊れています</source>
        <translation>The comfort zone&apos;s line is damaged</translation>
    </message>
    <message>
        <source>適応快適域の行が壊れています</source>
        <translation>The adaptive zone&apos;s line is damaged</translation>
    </message>
    <message>
        <source>快適域と適応快適域を一つのゾーンにはできません</source>
        <translation>A zone cannot be both a PMV comfort zone and an adaptive zone</translation>
    </message>
    <message>
        <source>快適域が限れるのは PMV と絶対湿度 x だけです</source>
        <translation>A comfort zone bounds only the PMV and the humidity ratio x</translation>
    </message>
    <message>
        <source>適応快適域が限れるのは乾球温度だけです</source>
        <translation>An adaptive zone bounds only the dry bulb</translation>
    </message>
    <message>
        <source>PMV の下限は上限以下の数です</source>
        <translation>The lower PMV limit must be a number no greater than the upper</translation>
    </message>
    <message>
        <source>月は 1 から 12 です</source>
        <translation>The month is 1 to 12</translation>
    </message>
    <message>
        <source>許容率は 80 % か 90 % です</source>
        <translation>The acceptability is 80 % or 90 %</translation>
    </message>
    <message>
        <source>代表外気温度が 10～33.5 °C になく、適応モデルは使えません</source>
        <translation>The prevailing mean outdoor temperature is not within 10–33.5 °C: the adaptive model does not apply</translation>
    </message>
    <message>
        <source>適応快適域の乾球温度の範囲が代表外気温度と合いません</source>
        <translation>The adaptive zone&apos;s dry-bulb range does not match its prevailing mean</translation>
    </message>
</context>
<context>
    <name>Design</name>
    <message>
        <source>設計の一部を計算できません:
</source>
        <translation>Part of the design cannot be computed:
</translation>
    </message>
    <message>
        <source>状態点 %1</source>
        <translation>point %1</translation>
    </message>
    <message>
        <source>状態変化 %1 (%2)</source>
        <translation>process %1 (%2)</translation>
    </message>
    <message>
        <source>名前は 1〜64 バイトの、制御文字を含まない文字列です</source>
        <translation>a name is 1 to 64 bytes without control characters</translation>
    </message>
    <message>
        <source>同じ名前の状態点がすでにあります</source>
        <translation>a point of the same name exists already</translation>
    </message>
    <message>
        <source>これより前に状態点 %1 がありません</source>
        <translation>no point %1 before it</translation>
    </message>
    <message>
        <source>出口の状態点の名前がないか、名前にできない文字列です</source>
        <translation>the leaving point has no name, or one that cannot be a name</translation>
    </message>
    <message>
        <source>状態点 %1 はすでにあります</source>
        <translation>point %1 exists already</translation>
    </message>
    <message>
        <source>風量は正の数です</source>
        <translation>an air flow is a positive number</translation>
    </message>
    <message>
        <source>風量が二つ以上あります</source>
        <translation>more than one air flow</translation>
    </message>
    <message>
        <source>入口の状態点は一つです</source>
        <translation>a process has one inlet point</translation>
    </message>
    <message>
        <source>出口が露点より低くなります（結露するため、冷却コイルで表してください）</source>
        <translation>the leaving state is below the dew point (the air condenses: use a cooling coil)</translation>
    </message>
    <message>
        <source>負荷で与えるには風量が要ります</source>
        <translation>a load needs an air flow</translation>
    </message>
    <message>
        <source>負荷が数値ではありません</source>
        <translation>a load is not a number</translation>
    </message>
    <message>
        <source>出口の乾球温度か負荷の一方を与えてください</source>
        <translation>give either the leaving dry bulb or the load</translation>
    </message>
    <message>
        <source>出口の状態がありません</source>
        <translation>no leaving state</translation>
    </message>
    <message>
        <source>装置露点とバイパスファクタは二つとも与え、出口の状態とは別にしてください</source>
        <translation>give both the apparatus dew point and the bypass factor, and no leaving state with them</translation>
    </message>
    <message>
        <source>バイパスファクタは 0 以上 1 未満です</source>
        <translation>the bypass factor is at least 0 and below 1</translation>
    </message>
    <message>
        <source>装置露点の飽和状態がありません</source>
        <translation>no saturated state at the apparatus dew point</translation>
    </message>
    <message>
        <source>装置露点が入口の露点より高く、除湿しません</source>
        <translation>the apparatus dew point is above the inlet&apos;s dew point: no dehumidification</translation>
    </message>
    <message>
        <source>出口の状態を二つの量で、または装置露点とバイパスファクタで与えてください</source>
        <translation>give the leaving state by two properties, or an apparatus dew point and a bypass factor</translation>
    </message>
    <message>
        <source>冷却コイルの出口は入口よりエンタルピーも絶対湿度も高くなれません</source>
        <translation>a cooling coil&apos;s leaving state cannot have a higher enthalpy or humidity ratio than its inlet</translation>
    </message>
    <message>
        <source>出口の絶対湿度か相対湿度の一方を与えてください</source>
        <translation>give either the leaving humidity ratio or the leaving RH</translation>
    </message>
    <message>
        <source>加湿で絶対湿度は下がりません</source>
        <translation>humidification cannot lower the humidity ratio</translation>
    </message>
    <message>
        <source>出口が飽和を超えます</source>
        <translation>the leaving state is above saturation</translation>
    </message>
    <message>
        <source>飽和効率は 0 から 1 です</source>
        <translation>the saturation efficiency is from 0 to 1</translation>
    </message>
    <message>
        <source>出口の絶対湿度か相対湿度か飽和効率の一つを与えてください</source>
        <translation>give one of the leaving humidity ratio, the leaving RH or the saturation efficiency</translation>
    </message>
    <message>
        <source>混合は 2〜16 の流れです</source>
        <translation>a mixing has 2 to 16 streams</translation>
    </message>
    <message>
        <source>流れごとに風量が一つ要ります</source>
        <translation>each stream needs one air flow</translation>
    </message>
    <message>
        <source>混合した状態が飽和を超えます（霧になります）</source>
        <translation>the mixed state is above saturation (fog)</translation>
    </message>
    <message>
        <source>室内の状態点は一つです</source>
        <translation>one room point</translation>
    </message>
    <message>
        <source>室内の顕熱負荷と潜熱負荷を与えてください</source>
        <translation>give the room&apos;s sensible and latent loads</translation>
    </message>
    <message>
        <source>給気の風量が要ります</source>
        <translation>the supply air flow is needed</translation>
    </message>
    <message>
        <source>給気の状態がありません（風量が少なすぎます）</source>
        <translation>no supply state (the air flow is too small)</translation>
    </message>
    <message>
        <source>顕熱比か、顕熱負荷と潜熱負荷を与えてください</source>
        <translation>give the SHF, or the sensible and latent loads</translation>
    </message>
    <message>
        <source>顕熱比が数値ではありません</source>
        <translation>the SHF is not a number</translation>
    </message>
    <message>
        <source>状態点は %1 までです</source>
        <translation>at most %1 points</translation>
    </message>
    <message>
        <source>状態変化は %1 までです</source>
        <translation>at most %1 processes</translation>
    </message>
    <message>
        <source>状態点に名前がありません</source>
        <translation>a point has no name</translation>
    </message>
    <message>
        <source>状態点の名前が壊れています</source>
        <translation>a point&apos;s name is damaged</translation>
    </message>
    <message>
        <source>設計の行が壊れています</source>
        <translation>the design line is damaged</translation>
    </message>
    <message>
        <source>設計の行の前に状態点や状態変化があります</source>
        <translation>points or processes before the design line</translation>
    </message>
    <message>
        <source>状態点が多すぎます</source>
        <translation>too many points</translation>
    </message>
    <message>
        <source>状態点の行が壊れています</source>
        <translation>a point line is damaged</translation>
    </message>
    <message>
        <source>状態変化が多すぎます</source>
        <translation>too many processes</translation>
    </message>
    <message>
        <source>状態変化の行が壊れています</source>
        <translation>a process line is damaged</translation>
    </message>
    <message>
        <source>状態変化の前にその値があります</source>
        <translation>a process value before any process</translation>
    </message>
    <message>
        <source>入口の行が壊れています</source>
        <translation>a from line is damaged</translation>
    </message>
    <message>
        <source>出口の行が壊れています</source>
        <translation>a to line is damaged</translation>
    </message>
    <message>
        <source>風量の行が壊れています</source>
        <translation>a flow line is damaged</translation>
    </message>
    <message>
        <source>出口の状態の行が壊れています</source>
        <translation>a leaving line is damaged</translation>
    </message>
    <message>
        <source>状態変化の値の行が壊れています</source>
        <translation>a param line is damaged</translation>
    </message>
    <message>
        <source>知らない行です</source>
        <translation>unknown line</translation>
    </message>
    <message>
        <source>この二つの値の空気の状態はありません（飽和を超えるか、範囲の外です）</source>
        <translation>no air state has these two values (above saturation, or out of range)</translation>
    </message>
    <message>
        <source>同じ量が二つです</source>
        <translation>the same property twice</translation>
    </message>
    <message>
        <source>露点と絶対湿度はどちらも絶対湿度を決めるだけで、状態は決まりません</source>
        <translation>the dew point and the humidity ratio both give only the humidity ratio: no state</translation>
    </message>
    <message>
        <source>エンタルピーと湿球温度の線はほぼ重なるため、状態は決まりません</source>
        <translation>lines of enthalpy and wet bulb nearly coincide: no state</translation>
    </message>
    <message>
        <source>値が数値ではありません</source>
        <translation>a value is not a number</translation>
    </message>
    <message>
        <source>直線</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>顕熱変化（加熱・冷却）</source>
        <translation>Sensible (heating or cooling)</translation>
    </message>
    <message>
        <source>冷却除湿コイル</source>
        <translation>Cooling and dehumidifying coil</translation>
    </message>
    <message>
        <source>蒸気加湿</source>
        <translation>Steam humidifying</translation>
    </message>
    <message>
        <source>水噴霧加湿</source>
        <translation>Water spray humidifying</translation>
    </message>
    <message>
        <source>混合</source>
        <translation>Mixing</translation>
    </message>
    <message>
        <source>吹出し状態</source>
        <translation>Supply state</translation>
    </message>
    <message>
        <source>SHF線</source>
        <translation>SHF line</translation>
    </message>
    <message>
        <source>乾球温度 DB</source>
        <translation>Dry bulb DB</translation>
    </message>
    <message>
        <source>湿球温度 WB</source>
        <translation>Wet bulb WB</translation>
    </message>
    <message>
        <source>露点温度 DP</source>
        <translation>Dew point DP</translation>
    </message>
    <message>
        <source>相対湿度 RH</source>
        <translation>Relative humidity RH</translation>
    </message>
    <message>
        <source>絶対湿度 x</source>
        <translation>Humidity ratio x</translation>
    </message>
    <message>
        <source>比エンタルピ h</source>
        <translation>Specific enthalpy h</translation>
    </message>
    <message>
        <source>比容積 SV</source>
        <translation>Specific volume SV</translation>
    </message>
    <message>
        <source>%1: 数値ではありません: &apos;%2&apos;</source>
        <translation>%1: not a number: &apos;%2&apos;</translation>
    </message>
    <message>
        <source>状態点の入力</source>
        <translation>Air State</translation>
    </message>
    <message>
        <source>名前(&amp;N)：</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>色・幅・線種はツールバーで選んだものになります。</source>
        <translation>Drawn in the colour, width and style chosen in the tool bar.</translation>
    </message>
    <message>
        <source>状態変化の追加</source>
        <translation>Add Process</translation>
    </message>
    <message>
        <source>状態点</source>
        <translation>Air states</translation>
    </message>
    <message>
        <source>風量 [m³/h]</source>
        <translation>Air flow [m³/h]</translation>
    </message>
    <message>
        <source>流れを追加(&amp;A)</source>
        <translation>&amp;Add stream</translation>
    </message>
    <message>
        <source>流れを削除(&amp;R)</source>
        <translation>&amp;Remove stream</translation>
    </message>
    <message>
        <source>空欄: 負荷を求めない</source>
        <translation>empty: no loads</translation>
    </message>
    <message>
        <source>出口状態の2つの値</source>
        <translation>Two values of the leaving state</translation>
    </message>
    <message>
        <source>装置露点 ADP とバイパスファクタ BF</source>
        <translation>Apparatus dew point ADP and bypass factor BF</translation>
    </message>
    <message>
        <source>ADP [°C]：</source>
        <translation>ADP [°C]:</translation>
    </message>
    <message>
        <source>BF [0〜1]：</source>
        <translation>BF [0–1]:</translation>
    </message>
    <message>
        <source>飽和効率 [0〜1]</source>
        <translation>Saturation efficiency [0–1]</translation>
    </message>
    <message>
        <source>室内顕熱負荷 [%1]：</source>
        <translation>Room sensible load [%1]:</translation>
    </message>
    <message>
        <source>室内潜熱負荷 [%1]：</source>
        <translation>Room latent load [%1]:</translation>
    </message>
    <message>
        <source>顕熱比 SHF</source>
        <translation>Sensible heat factor SHF</translation>
    </message>
    <message>
        <source>室内の顕熱負荷と潜熱負荷</source>
        <translation>Room sensible and latent loads</translation>
    </message>
    <message>
        <source>SHF [0〜1]：</source>
        <translation>SHF [0–1]:</translation>
    </message>
    <message>
        <source>標準空気（1.2 kg/m³）で風量を質量流量にする(&amp;S)</source>
        <translation>Mass flows from air flows by the &amp;standard air (1.2 kg/m³)</translation>
    </message>
    <message>
        <source>負荷を線の横に書く(&amp;L)</source>
        <translation>Write the &amp;load beside the line</translation>
    </message>
    <message>
        <source>種類(&amp;K)：</source>
        <translation>&amp;Kind:</translation>
    </message>
    <message>
        <source>混合する流れ：</source>
        <translation>Streams mixed:</translation>
    </message>
    <message>
        <source>出口の状態点(&amp;T)：</source>
        <translation>S&amp;tate made:</translation>
    </message>
    <message>
        <source>風量 [m³/h](&amp;F)：</source>
        <translation>Air &amp;flow [m³/h]:</translation>
    </message>
    <message>
        <source>（標準空気の指定は設計のすべての状態変化に適用されます）</source>
        <translation>(The standard air applies to every process of the design.)</translation>
    </message>
    <message>
        <source>室内の状態点(&amp;R)：</source>
        <translation>&amp;Room state:</translation>
    </message>
    <message>
        <source>入口の状態点(&amp;I)：</source>
        <translation>&amp;Inlet state:</translation>
    </message>
    <message>
        <source>加熱量（冷却は負） [%1]</source>
        <translation>Heating (cooling negative) [%1]</translation>
    </message>
    <message>
        <source>流れ %1 の風量</source>
        <translation>Air flow of stream %1</translation>
    </message>
    <message>
        <source>顕熱</source>
        <translation>Sensible</translation>
    </message>
    <message>
        <source>コイル</source>
        <translation>Coil</translation>
    </message>
    <message>
        <source>水噴霧</source>
        <translation>Spray</translation>
    </message>
    <message>
        <source>吹出し</source>
        <translation>Supply</translation>
    </message>
    <message>
        <source>SHF</source>
        <translation>SHF</translation>
    </message>
    <message>
        <source>状態点と状態変化</source>
        <translation>Air States and Processes</translation>
    </message>
    <message>
        <source>状態変化</source>
        <translation>Processes</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>密度 [kg/m³]</source>
        <translation>Density [kg/m³]</translation>
    </message>
    <message>
        <source>飽和度 μ [%]</source>
        <translation>Degree of saturation μ [%]</translation>
    </message>
    <message>
        <source>種類</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>入口</source>
        <translation>From</translation>
    </message>
    <message>
        <source>出口</source>
        <translation>To</translation>
    </message>
    <message>
        <source>G [kg/h]</source>
        <translation>G [kg/h]</translation>
    </message>
    <message>
        <source>全熱 [%1]</source>
        <translation>Total [%1]</translation>
    </message>
    <message>
        <source>顕熱 [%1]</source>
        <translation>Sensible [%1]</translation>
    </message>
    <message>
        <source>潜熱 [%1]</source>
        <translation>Latent [%1]</translation>
    </message>
    <message>
        <source>水分 [kg/h]</source>
        <translation>Water [kg/h]</translation>
    </message>
    <message>
        <source>状態変化で求めた点</source>
        <translation>A state made by a process</translation>
    </message>
    <message>
        <source>CSV書き出し</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>ファイルを作成出来ません．
</source>
        <translation>Cannot create the file.
</translation>
    </message>
    <message>
        <source>CSV ファイル (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>選択した行をコピー(&amp;C)</source>
        <translation>&amp;Copy the selected rows</translation>
    </message>
    <message>
        <source>すべてコピー(&amp;C)</source>
        <translation>&amp;Copy all</translation>
    </message>
    <message>
        <source>すべて選択(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>CSV書き出し(&amp;S)...</source>
        <translation>Export CSV(&amp;S)...</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>風量 [%1]</source>
        <translation>Air flow [%1]</translation>
    </message>
    <message>
        <source>風量 [%1](&amp;F)：</source>
        <translation>Air &amp;flow [%1]:</translation>
    </message>
    <message>
        <source>ADP [%1]：</source>
        <translation>ADP [%1]:</translation>
    </message>
    <message>
        <source>標準空気（%1）で風量を質量流量にする(&amp;S)</source>
        <translation>Mass flows from air flows by the &amp;standard air (%1)</translation>
    </message>
    <message>
        <source>密度 [%1]</source>
        <translation>Density [%1]</translation>
    </message>
    <message>
        <source>G [%1]</source>
        <translation>G [%1]</translation>
    </message>
    <message>
        <source>水分 [%1]</source>
        <translation>Water [%1]</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>実&#x3000;&#x3000;線</source>
        <translation>Solid</translation>
    </message>
    <message>
        <source>破&#x3000;&#x3000;線</source>
        <translation>Dashed</translation>
    </message>
    <message>
        <source>点&#x3000;&#x3000;線</source>
        <translation>Dotted</translation>
    </message>
    <message>
        <source>一点鎖線</source>
        <translation>Dash-dot</translation>
    </message>
    <message>
        <source>二点鎖線</source>
        <translation>Dash-dot-dot</translation>
    </message>
    <message>
        <source>左・上</source>
        <translation>Left, top</translation>
    </message>
    <message>
        <source>左・中</source>
        <translation>Left, middle</translation>
    </message>
    <message>
        <source>左・下</source>
        <translation>Left, bottom</translation>
    </message>
    <message>
        <source>中・下</source>
        <translation>Centre, bottom</translation>
    </message>
    <message>
        <source>右・下</source>
        <translation>Right, bottom</translation>
    </message>
    <message>
        <source>右・中</source>
        <translation>Right, middle</translation>
    </message>
    <message>
        <source>右・上</source>
        <translation>Right, top</translation>
    </message>
    <message>
        <source>中・上</source>
        <translation>Centre, top</translation>
    </message>
    <message>
        <source>（%1バイト目）</source>
        <translation> (at byte %1)</translation>
    </message>
    <message>
        <source>フォント名</source>
        <translation>The font name</translation>
    </message>
    <message>
        <source>図形の文字列</source>
        <translation>An object&apos;s text</translation>
    </message>
    <message>
        <source>ファイルが見つかりません</source>
        <translation>The file is not found</translation>
    </message>
    <message>
        <source>読み込みの権限がありません</source>
        <translation>No permission to read the file</translation>
    </message>
    <message>
        <source>フォルダです。ファイルを指定して下さい</source>
        <translation>This is a folder. Choose a file</translation>
    </message>
    <message>
        <source>ファイルを読み込めません</source>
        <translation>The file cannot be read</translation>
    </message>
    <message>
        <source>ファイルが途中で切れています</source>
        <translation>The file is cut short</translation>
    </message>
    <message>
        <source>ヘッダが途中で切れています</source>
        <translation>The header is cut short</translation>
    </message>
    <message>
        <source>%1の長さ %2 が正しくありません%3</source>
        <translation>%1 has a wrong length %2%3</translation>
    </message>
    <message>
        <source>%1（%2バイト）がファイルの終わりを越えています%3</source>
        <translation>%1 (%2 bytes) runs past the end of the file%3</translation>
    </message>
    <message>
        <source>%1が CP932 の文字ではありません%2</source>
        <translation>%1 is not CP932 text%2</translation>
    </message>
    <message>
        <source>図形のレコードが途中で切れています</source>
        <translation>An object record is cut short</translation>
    </message>
    <message>
        <source>図形の種類 %1 が正しくありません%2</source>
        <translation>Wrong object kind %1%2</translation>
    </message>
    <message>
        <source>数値でない値（無限大・NaN）があります</source>
        <translation>A value is not a number (infinity, NaN)</translation>
    </message>
    <message>
        <source>フォント名を CP932 で保存できません: </source>
        <translation>The font name cannot be saved in CP932: </translation>
    </message>
    <message>
        <source>ヘッダに数値でない値（無限大・NaN）があります</source>
        <translation>The header holds a value that is not a number (infinity, NaN)</translation>
    </message>
    <message>
        <source>座標が数値ではありません（無限大・NaN）</source>
        <translation>A coordinate is not a number (infinity, NaN)</translation>
    </message>
    <message>
        <source>文字列を CP932 で保存できません: </source>
        <translation>A text cannot be saved in CP932: </translation>
    </message>
    <message>
        <source>この組み合わせでは計算できません</source>
        <translation>This combination cannot be computed</translation>
    </message>
    <message>
        <source>始点：違う種類のデータを入力して下さい</source>
        <translation>Start point: enter two different kinds of data</translation>
    </message>
    <message>
        <source>終点：違う種類のデータを入力して下さい</source>
        <translation>End point: enter two different kinds of data</translation>
    </message>
    <message>
        <source>図形の数が上限(%1)に達しているため追加できません</source>
        <translation>No object can be added: the objects have reached their limit (%1)</translation>
    </message>
    <message>
        <source>始点と終点が線図の範囲外にあります。線図の内側だけを描きます</source>
        <translation>The start and end states lie outside the chart: only the part within the chart is drawn</translation>
    </message>
    <message>
        <source>終点が線図の範囲外にあります。線図の内側だけを描きます</source>
        <translation>The end state lies outside the chart: only the part within the chart is drawn</translation>
    </message>
    <message>
        <source>始点が線図の範囲外にあります。線図の内側だけを描きます</source>
        <translation>The start state lies outside the chart: only the part within the chart is drawn</translation>
    </message>
    <message>
        <source>ヘッダの形式番号 %1 は 100 を超えなければなりません</source>
        <translation>The header's format number %1 must be above 100</translation>
    </message>
    <message>
        <source>ヘッダのない形式では先頭の記号の色番号を %1 にできません</source>
        <translation>A file without a header cannot begin with an object of colour number %1</translation>
    </message>
</context>
<context>
    <name>Editor</name>
    <message>
        <source>始点を指示([SHIFT]+[右ｸﾘｯｸ]で数値入力)：</source>
        <translation>Pick the start point ([SHIFT]+[right click] to type values):</translation>
    </message>
    <message>
        <source>削除する図形を選択：</source>
        <translation>Select the object to erase:</translation>
    </message>
    <message>
        <source>拡大[左ｸﾘｯｸ],縮小[右ｸﾘｯｸ],中止[ESC]</source>
        <translation>Zoom in [left click], zoom out [right click], stop [ESC]</translation>
    </message>
    <message>
        <source>[左ｸﾘｯｸ]でﾄﾞﾗｯｸﾞ、[右ｸﾘｯｸ]で解除</source>
        <translation>Drag with [left click], release with [right click]</translation>
    </message>
    <message>
        <source>文字記入位置を指示：</source>
        <translation>Pick where the text goes:</translation>
    </message>
    <message>
        <source>終点を指示([SHIFT]+[右ｸﾘｯｸ]:数値入力,[ESC]or[右ｸﾘｯｸ]:ｺﾏﾝﾄﾞ終了)：</source>
        <translation>Pick the end point ([SHIFT]+[right click]: type values, [ESC] or [right click]: end command):</translation>
    </message>
    <message>
        <source>線分作成</source>
        <translation>Draw Line</translation>
    </message>
    <message>
        <source>始点の状態値を入力</source>
        <translation>Enter the State of the Start Point</translation>
    </message>
    <message>
        <source>終点の状態値を入力</source>
        <translation>Enter the State of the End Point</translation>
    </message>
    <message>
        <source>図形を選択([SHIFT]+[左ｸﾘｯｸ]で追加, [ESC]で解除)：</source>
        <translation>Select objects ([Shift]+[left click] adds, [Esc] clears):</translation>
    </message>
    <message>
        <source>状態点の位置をｸﾘｯｸ([右ｸﾘｯｸ]か[ESC]で終了)：</source>
        <translation>Click where the point goes ([right click] or [Esc] ends):</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>書き込みの権限がありません</source>
        <translation>No permission to write</translation>
    </message>
    <message>
        <source>フォルダがありません</source>
        <translation>The folder does not exist</translation>
    </message>
    <message>
        <source>ディスクの空き容量が足りません</source>
        <translation>Not enough free disk space</translation>
    </message>
    <message>
        <source>同じ名前のフォルダがあります</source>
        <translation>A folder of the same name exists</translation>
    </message>
    <message>
        <source>読み取り専用の場所です</source>
        <translation>The place is read-only</translation>
    </message>
    <message>
        <source>ファイルを読み込めないため、書き換えません</source>
        <translation>The file cannot be read, so it is not replaced</translation>
    </message>
    <message>
        <source>書き込めませんでした（エラー番号 %1）</source>
        <translation>Could not write (error number %1)</translation>
    </message>
    <message>
        <source>ファイルが見つかりません</source>
        <translation>The file is not found</translation>
    </message>
    <message>
        <source>読み込みの権限がありません</source>
        <translation>No permission to read the file</translation>
    </message>
    <message>
        <source>フォルダです。ファイルを指定して下さい</source>
        <translation>This is a folder. Choose a file</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>Not a regular file</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>ファイルを読み込めません</source>
        <translation>The file cannot be read</translation>
    </message>
    <message>
        <source>メモリが足りません</source>
        <translation>Not enough memory</translation>
    </message>
    <message>
        <source>シンボリックリンクか通常のファイルではないものがあるため、書き換えません</source>
        <translation>a symbolic link or something other than a file is there, so it is not replaced</translation>
    </message>
</context>
<context>
    <name>HumidrawCli</name>
    <message>
        <source>%1: %2 行のうち %3 行を飛ばしました</source>
        <translation>%1: %3 of %2 rows skipped</translation>
    </message>
    <message>
        <source>%1 行目: %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>代表外気温度 (mean=) か、時刻のある気象データ (--data) が要ります</source>
        <translation>needs a prevailing mean (mean=) or a weather file with date-times (--data)</translation>
    </message>
</context>
<context>
    <name>MeasuredDataWindow</name>
    <message>
        <source>乾球温度 DB [°C]</source>
        <translation>Dry-bulb temperature DB [°C]</translation>
    </message>
    <message>
        <source>相対湿度 RH [%]</source>
        <translation>Relative humidity RH [%]</translation>
    </message>
    <message>
        <source>絶対湿度 x [g/kg(DA)]</source>
        <translation>Humidity ratio x [g/kg(DA)]</translation>
    </message>
    <message>
        <source>絶対湿度 x [kg/kg(DA)]</source>
        <translation>Humidity ratio x [kg/kg(DA)]</translation>
    </message>
    <message>
        <source>比エンタルピ h [kJ/kg(DA)]</source>
        <translation>Specific enthalpy h [kJ/kg(DA)]</translation>
    </message>
    <message>
        <source>比エンタルピ h [kcal/kg(DA)]</source>
        <translation>Specific enthalpy h [kcal/kg(DA)]</translation>
    </message>
    <message>
        <source>湿球温度 WB [°C]</source>
        <translation>Wet-bulb temperature WB [°C]</translation>
    </message>
    <message>
        <source>比容積 SV [m³/kg(DA)]</source>
        <translation>Specific volume SV [m³/kg(DA)]</translation>
    </message>
    <message>
        <source>露点温度 DP [°C]</source>
        <translation>Dew-point temperature DP [°C]</translation>
    </message>
    <message>
        <source>（なし）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>CSV の列</source>
        <translation>CSV columns</translation>
    </message>
    <message>
        <source>状態を決める2つの列と、その量と単位を選んでください。</source>
        <translation>Choose the two columns that give the state, with their property and unit.</translation>
    </message>
    <message>
        <source>第1の列</source>
        <translation>First column</translation>
    </message>
    <message>
        <source>第1の量と単位</source>
        <translation>First property and unit</translation>
    </message>
    <message>
        <source>第2の列</source>
        <translation>Second column</translation>
    </message>
    <message>
        <source>第2の量と単位</source>
        <translation>Second property and unit</translation>
    </message>
    <message>
        <source>日時の列</source>
        <translation>Date-time column</translation>
    </message>
    <message>
        <source>ゾーン</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>（ユーザー定義）</source>
        <translation>(user defined)</translation>
    </message>
    <message>
        <source>プリセット</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>下限（空欄: なし）</source>
        <translation>Lower bound (empty: none)</translation>
    </message>
    <message>
        <source>上限（空欄: なし）</source>
        <translation>Upper bound (empty: none)</translation>
    </message>
    <message>
        <source>色(&amp;C)...</source>
        <translation>&amp;Colour...</translation>
    </message>
    <message>
        <source>薄く塗る(&amp;F)</source>
        <translation>Light &amp;fill</translation>
    </message>
    <message>
        <source>数値ではありません: </source>
        <translation>Not a number: </translation>
    </message>
    <message>
        <source>このゾーンは使えません: </source>
        <translation>This zone cannot be used: </translation>
    </message>
    <message>
        <source>測定データ(&amp;M)</source>
        <translation>&amp;Measured Data</translation>
    </message>
    <message>
        <source>測定データとゾーン(&amp;Z)...</source>
        <translation>Measured Data and &amp;Zones...</translation>
    </message>
    <message>
        <source>測定データのファイルを読込できません.
</source>
        <translation>Cannot read the measured-data file.
</translation>
    </message>
    <message>
        <source>測定データとゾーン</source>
        <translation>Measured data and zones</translation>
    </message>
    <message>
        <source>データセット（チェックで表示）</source>
        <translation>Data sets (checked ones are shown)</translation>
    </message>
    <message>
        <source>読み込み(&amp;I)...</source>
        <translation>&amp;Import...</translation>
    </message>
    <message>
        <source>点/密度の切り替え(&amp;D)</source>
        <translation>Points/&amp;density</translation>
    </message>
    <message>
        <source>削除(&amp;R)</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>ゾーン追加(&amp;A)...</source>
        <translation>&amp;Add Zone...</translation>
    </message>
    <message>
        <source>変更(&amp;E)...</source>
        <translation>&amp;Edit...</translation>
    </message>
    <message>
        <source>ゾーン削除(&amp;Z)</source>
        <translation>Remove &amp;Zone</translation>
    </message>
    <message>
        <source>ゾーン内の点の数</source>
        <translation>Points inside the zones</translation>
    </message>
    <message>
        <source>データ</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>範囲内</source>
        <translation>Inside</translation>
    </message>
    <message>
        <source>全数</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>割合</source>
        <translation>Share</translation>
    </message>
    <message>
        <source>高温</source>
        <translation>Too hot</translation>
    </message>
    <message>
        <source>低温</source>
        <translation>Too cold</translation>
    </message>
    <message>
        <source>多湿</source>
        <translation>Too humid</translation>
    </message>
    <message>
        <source>乾燥</source>
        <translation>Too dry</translation>
    </message>
    <message>
        <source>CSV書き出し(&amp;C)...</source>
        <translation>Export &amp;CSV...</translation>
    </message>
    <message>
        <source>密度</source>
        <translation>Density</translation>
    </message>
    <message>
        <source>点</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>測定データの読み込み</source>
        <translation>Import measured data</translation>
    </message>
    <message>
        <source>測定データ (*.csv *.txt *.tsv *.epw);;すべてのファイル (*)</source>
        <translation>Measured data (*.csv *.txt *.tsv *.epw);;All files (*)</translation>
    </message>
    <message>
        <source>測定データを読み込んでいます...</source>
        <translation>Importing measured data...</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>読み込みを中止しました。</source>
        <translation>The import was cancelled.</translation>
    </message>
    <message>
        <source>読み込めません。
</source>
        <translation>Cannot import.
</translation>
    </message>
    <message>
        <source>%1 行を読み、%2 行を使い、%3 行を飛ばしました。</source>
        <translation>%1 rows read, %2 used, %3 skipped.</translation>
    </message>
    <message>
        <source>%1 行目: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>CSV書き出し</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>CSV ファイル (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>ファイルを作成出来ません．
</source>
        <translation>Cannot create the file.
</translation>
    </message>
    <message>
        <source>
図面は測定データなしで開きます。このファイルは消さずに残します。</source>
        <translation>
The drawing opens without measured data. The file is kept as it is.</translation>
    </message>
    <message>
        <source>
この測定データを図面に読み込みますか？
［いいえ］では測定データなしで開き、このファイルは残します。</source>
        <translation>
Open this measured data with the drawing?
No opens the drawing without measured data and keeps the file.</translation>
    </message>
    <message>
        <source>
このファイルは開いた後に他で変更されています。上書きしますか？</source>
        <translation>
This file has been changed elsewhere since it was opened. Overwrite it?</translation>
    </message>
    <message>
        <source>読み込めなかった測定データのファイルは %1 として残しました</source>
        <translation>The measured-data file that could not be read was kept as %1</translation>
    </message>
    <message>
        <source>乾球温度 DB [°F]</source>
        <translation>Dry-bulb temperature DB [°F]</translation>
    </message>
    <message>
        <source>絶対湿度 x [gr/lb(DA)]</source>
        <translation>Humidity ratio x [gr/lb(DA)]</translation>
    </message>
    <message>
        <source>比エンタルピ h [Btu/lb(DA)]</source>
        <translation>Specific enthalpy h [Btu/lb(DA)]</translation>
    </message>
    <message>
        <source>湿球温度 WB [°F]</source>
        <translation>Wet-bulb temperature WB [°F]</translation>
    </message>
    <message>
        <source>比容積 SV [ft³/lb(DA)]</source>
        <translation>Specific volume SV [ft³/lb(DA)]</translation>
    </message>
    <message>
        <source>露点温度 DP [°F]</source>
        <translation>Dew-point temperature DP [°F]</translation>
    </message>
    <message>
        <source>カテゴリ A (PMV ±0.2)</source>
        <translation>Category A (PMV ±0.2)</translation>
    </message>
    <message>
        <source>カテゴリ B (PMV ±0.5)</source>
        <translation>Category B (PMV ±0.5)</translation>
    </message>
    <message>
        <source>カテゴリ C (PMV ±0.7)</source>
        <translation>Category C (PMV ±0.7)</translation>
    </message>
    <message>
        <source>快適域</source>
        <translation>Comfort zone</translation>
    </message>
    <message>
        <source>PMV 快適域 (ISO 7730, ASHRAE 55)</source>
        <translation>PMV comfort zone (ISO 7730, ASHRAE 55)</translation>
    </message>
    <message>
        <source>適応快適域 (ASHRAE 55, 自然換気)</source>
        <translation>Adaptive comfort zone (ASHRAE 55, naturally ventilated)</translation>
    </message>
    <message>
        <source>冬の快適域も加える(&amp;W)</source>
        <translation>Add the &amp;winter zone too</translation>
    </message>
    <message>
        <source>指定 (下限と上限)</source>
        <translation>Typed (lower and upper limit)</translation>
    </message>
    <message>
        <source>代謝量 [met]</source>
        <translation>Metabolic rate [met]</translation>
    </message>
    <message>
        <source>着衣量 [clo]</source>
        <translation>Clothing [clo]</translation>
    </message>
    <message>
        <source>着衣量 夏 [clo]</source>
        <translation>Clothing, summer [clo]</translation>
    </message>
    <message>
        <source>着衣量 冬 [clo]</source>
        <translation>Clothing, winter [clo]</translation>
    </message>
    <message>
        <source>気流速度 [m/s]</source>
        <translation>Air speed [m/s]</translation>
    </message>
    <message>
        <source>平均放射温度 − 乾球温度 [K]</source>
        <translation>Mean radiant temperature − dry bulb [K]</translation>
    </message>
    <message>
        <source>外部仕事 [met]</source>
        <translation>External work [met]</translation>
    </message>
    <message>
        <source>PMV の範囲</source>
        <translation>PMV limits</translation>
    </message>
    <message>
        <source>PMV 下限</source>
        <translation>Lower PMV limit</translation>
    </message>
    <message>
        <source>PMV 上限</source>
        <translation>Upper PMV limit</translation>
    </message>
    <message>
        <source>絶対湿度の上限 [gr/lb(DA)]（空欄: なし）</source>
        <translation>Humidity ratio at most [gr/lb(DA)] (empty: no limit)</translation>
    </message>
    <message>
        <source>絶対湿度の上限 [kg/kg(DA)]（空欄: なし）</source>
        <translation>Humidity ratio at most [kg/kg(DA)] (empty: no limit)</translation>
    </message>
    <message>
        <source>%1 月</source>
        <translation>Month %1</translation>
    </message>
    <message>
        <source>入力した値</source>
        <translation>The value typed</translation>
    </message>
    <message>
        <source>%1 の月平均</source>
        <translation>Monthly mean of %1</translation>
    </message>
    <message>
        <source>月</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>許容率</source>
        <translation>Acceptability</translation>
    </message>
    <message>
        <source>代表外気温度</source>
        <translation>Prevailing mean from</translation>
    </message>
    <message>
        <source>代表外気温度 [°F]</source>
        <translation>Prevailing mean outdoor temperature [°F]</translation>
    </message>
    <message>
        <source>代表外気温度 [°C]</source>
        <translation>Prevailing mean outdoor temperature [°C]</translation>
    </message>
    <message>
        <source>許容範囲</source>
        <translation>Acceptable band</translation>
    </message>
    <message>
        <source>代表外気温度は 10～33.5 °C の範囲で決まります</source>
        <translation>The band is defined for a prevailing mean from 10 to 33.5 °C</translation>
    </message>
    <message>
        <source>このデータにはその月の時刻の点がありません</source>
        <translation>This data set has no hours of that month</translation>
    </message>
    <message>
        <source>代表外気温度がありません</source>
        <translation>No prevailing mean outdoor temperature is given</translation>
    </message>
    <message>
        <source>快適域追加(&amp;K)...</source>
        <translation>Add Co&amp;mfort Zone...</translation>
    </message>
</context>
<context>
    <name>Render</name>
    <message>
        <source>: 図を描けませんでした</source>
        <translation>: the chart could not be drawn</translation>
    </message>
</context>
<context>
    <name>TAhu1</name>
    <message>
        <source>Humidraw ｼﾝｸﾞﾙｺｲﾙ方式</source>
        <translation>Humidraw Single Coil System</translation>
    </message>
    <message>
        <source>冷房時</source>
        <translation>Cooling</translation>
    </message>
    <message>
        <source>外気条件及び風量</source>
        <translation>Outdoor air (OA) and volume</translation>
    </message>
    <message>
        <source>導入外気量[CMH]：</source>
        <translation>Outdoor air volume [CMH]:</translation>
    </message>
    <message>
        <source>室内設定条件及び負荷</source>
        <translation>Room design conditions (RA) and loads</translation>
    </message>
    <message>
        <source>顕熱負荷[kcal/h]：</source>
        <translation>Sensible load [kcal/h]:</translation>
    </message>
    <message>
        <source>潜熱負荷[kcal/h]：</source>
        <translation>Latent load [kcal/h]:</translation>
    </message>
    <message>
        <source>吹き出し温度差(給気風量)</source>
        <translation>Supply temperature difference (supply air volume)</translation>
    </message>
    <message>
        <source>吹き出し温度差[℃]：</source>
        <translation>Supply temperature difference [°C]:</translation>
    </message>
    <message>
        <source>給気風量[CMH]：</source>
        <translation>Supply air volume [CMH]:</translation>
    </message>
    <message>
        <source>暖房時</source>
        <translation>Heating</translation>
    </message>
    <message>
        <source>加湿方式</source>
        <translation>Humidification</translation>
    </message>
    <message>
        <source>水加湿</source>
        <translation>Water spray</translation>
    </message>
    <message>
        <source>蒸気加湿</source>
        <translation>Steam</translation>
    </message>
    <message>
        <source>記入</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>顕熱負荷[kW]：</source>
        <translation>Sensible load [kW]:</translation>
    </message>
    <message>
        <source>潜熱負荷[kW]：</source>
        <translation>Latent load [kW]:</translation>
    </message>
    <message>
        <source>顕熱負荷[Btu/h]：</source>
        <translation>Sensible load [Btu/h]:</translation>
    </message>
    <message>
        <source>潜熱負荷[Btu/h]：</source>
        <translation>Latent load [Btu/h]:</translation>
    </message>
    <message>
        <source>導入外気量[cfm]：</source>
        <translation>Outdoor air volume [cfm]:</translation>
    </message>
    <message>
        <source>給気風量[cfm]：</source>
        <translation>Supply air volume [cfm]:</translation>
    </message>
    <message>
        <source>吹き出し温度差[°F]：</source>
        <translation>Supply temperature difference [°F]:</translation>
    </message>
</context>
<context>
    <name>TEdText1</name>
    <message>
        <source>Humidraw 文字作成</source>
        <translation>Humidraw Text</translation>
    </message>
    <message>
        <source>文字を入力してください。</source>
        <translation>Type the text.</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ラベル位置：</source>
        <translation>Label position:</translation>
    </message>
</context>
<context>
    <name>TFOption</name>
    <message>
        <source>乾球温度 DB[℃]</source>
        <translation>Dry-bulb temperature DB [°C]</translation>
    </message>
    <message>
        <source>相対湿度 RH[%]</source>
        <translation>Relative humidity RH [%]</translation>
    </message>
    <message>
        <source>絶対湿度 x[kg/kg&apos;]</source>
        <translation>Humidity ratio x [kg/kg&apos;]</translation>
    </message>
    <message>
        <source>比ｴﾝﾀﾙﾋﾟ h[kcal/kg]</source>
        <translation>Specific enthalpy h [kcal/kg]</translation>
    </message>
    <message>
        <source>湿球温度 WB[℃]</source>
        <translation>Wet-bulb temperature WB [°C]</translation>
    </message>
    <message>
        <source>比容積 v[m^3/kg]</source>
        <translation>Specific volume v [m^3/kg]</translation>
    </message>
    <message>
        <source>顕熱比 SHF</source>
        <translation>Sensible heat factor SHF</translation>
    </message>
    <message>
        <source>熱水分比[kcal/kg]</source>
        <translation>Moisture ratio [kcal/kg]</translation>
    </message>
    <message>
        <source>詳細データ表</source>
        <translation>Detailed data table</translation>
    </message>
    <message>
        <source>Humidrawの設定</source>
        <translation>Humidraw Options</translation>
    </message>
    <message>
        <source>条件設定</source>
        <translation>Conditions</translation>
    </message>
    <message>
        <source>大気圧(mmHg)：</source>
        <translation>Atmospheric pressure (mmHg):</translation>
    </message>
    <message>
        <source>乾球温度下限(℃)：</source>
        <translation>Lowest dry-bulb temperature (°C):</translation>
    </message>
    <message>
        <source>乾球温度上限(℃)：</source>
        <translation>Highest dry-bulb temperature (°C):</translation>
    </message>
    <message>
        <source>ﾌｫﾝﾄの選択</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>ﾌｫﾝﾄ名：</source>
        <translation>Font name:</translation>
    </message>
    <message>
        <source>ﾌｫﾝﾄｻｲｽﾞ：</source>
        <translation>Font size:</translation>
    </message>
    <message>
        <source>表示言語</source>
        <translation>Display language</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>表示線図</source>
        <translation>Lines shown</translation>
    </message>
    <message>
        <source>使用単位</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>ＳＩ 単位</source>
        <translation>SI units</translation>
    </message>
    <message>
        <source>従来単位</source>
        <translation>Traditional units</translation>
    </message>
    <message>
        <source>設定保存(&amp;S)</source>
        <translation>&amp;Save Settings</translation>
    </message>
    <message>
        <source>適用(&amp;A)</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>適用後閉じる(&amp;D)</source>
        <translation>Apply an&amp;d Close</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>比ｴﾝﾀﾙﾋﾟ h[kJ/kg]</source>
        <translation>Specific enthalpy h [kJ/kg]</translation>
    </message>
    <message>
        <source>熱水分比[kJ/kg]</source>
        <translation>Moisture ratio [kJ/kg]</translation>
    </message>
    <message>
        <source>標高(m)：</source>
        <translation>Altitude (m):</translation>
    </message>
    <message>
        <source>大気圧(kPa)：</source>
        <translation>Atmospheric pressure (kPa):</translation>
    </message>
    <message>
        <source>ＩＰ 単位</source>
        <translation>IP units</translation>
    </message>
    <message>
        <source>比ｴﾝﾀﾙﾋﾟ h[Btu/lb]</source>
        <translation>Specific enthalpy h [Btu/lb]</translation>
    </message>
    <message>
        <source>熱水分比[Btu/lb]</source>
        <translation>Moisture-enthalpy ratio [Btu/lb]</translation>
    </message>
    <message>
        <source>乾球温度下限(°F)：</source>
        <translation>Lowest dry-bulb temperature (°F):</translation>
    </message>
    <message>
        <source>乾球温度上限(°F)：</source>
        <translation>Highest dry-bulb temperature (°F):</translation>
    </message>
    <message>
        <source>大気圧(psia)：</source>
        <translation>Atmospheric pressure (psia):</translation>
    </message>
    <message>
        <source>乾球温度 DB[°F]</source>
        <translation>Dry-bulb temperature DB [°F]</translation>
    </message>
    <message>
        <source>絶対湿度 x[gr/lb]</source>
        <translation>Humidity ratio W [gr/lb]</translation>
    </message>
    <message>
        <source>湿球温度 WB[°F]</source>
        <translation>Wet-bulb temperature WB [°F]</translation>
    </message>
    <message>
        <source>比容積 v[ft^3/lb]</source>
        <translation>Specific volume v [ft^3/lb]</translation>
    </message>
</context>
<context>
    <name>TFmIX</name>
    <message>
        <source>表示言語は、設定を保存して Humidraw を再起動すると切り替わります。</source>
        <translation>The display language changes when the settings are saved and Humidraw is started again.</translation>
    </message>
    <message>
        <source>Humidraw ｴﾗｰﾒｯｾｰｼﾞ</source>
        <translation>Humidraw Error Message</translation>
    </message>
    <message>
        <source>設定ファイルに書き込めません: </source>
        <translation>Cannot write the settings file: </translation>
    </message>
    <message>
        <source>設定を保存しました.</source>
        <translation>The settings have been saved.</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)</source>
        <translation>Save &amp;As</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>印刷(&amp;P)</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>ﾒﾀﾌｧｲﾙ作成(&amp;M)</source>
        <translation>Export &amp;Metafile</translation>
    </message>
    <message>
        <source>ﾒﾀﾌｧｲﾙ作成</source>
        <translation>Export Metafile</translation>
    </message>
    <message>
        <source>Humidrawの終了(&amp;X)</source>
        <translation>E&amp;xit Humidraw</translation>
    </message>
    <message>
        <source>Humidrawの終了</source>
        <translation>Exit Humidraw</translation>
    </message>
    <message>
        <source>全消去(&amp;A)</source>
        <translation>Erase &amp;All</translation>
    </message>
    <message>
        <source>図形削除(&amp;E)</source>
        <translation>&amp;Erase Object</translation>
    </message>
    <message>
        <source>図形削除</source>
        <translation>Erase Object</translation>
    </message>
    <message>
        <source>ｸﾘｯﾌﾟﾎﾞｰﾄﾞ出力(&amp;B)</source>
        <translation>Copy to Clip&amp;board</translation>
    </message>
    <message>
        <source>ｸﾘｯﾌﾟﾎﾞｰﾄﾞ出力</source>
        <translation>Copy to Clipboard</translation>
    </message>
    <message>
        <source>ｺﾏﾝﾄﾞ終了</source>
        <translation>End Command</translation>
    </message>
    <message>
        <source>等倍表示(&amp;G)</source>
        <translation>Ori&amp;ginal Size</translation>
    </message>
    <message>
        <source>拡大表示(&amp;I)</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>拡大表示</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>縮小表示(&amp;O)</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>縮小表示</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>全体表示(&amp;A)</source>
        <translation>Show &amp;All</translation>
    </message>
    <message>
        <source>全体表示</source>
        <translation>Show All</translation>
    </message>
    <message>
        <source>ズーム(&amp;Z)</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>ズーム</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>画面移動(&amp;P)</source>
        <translation>&amp;Pan</translation>
    </message>
    <message>
        <source>画面移動</source>
        <translation>Pan</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>View</translation>
    </message>
    <message>
        <source>状態変化直線(&amp;L)</source>
        <translation>State Change &amp;Line</translation>
    </message>
    <message>
        <source>線分記入(&amp;F)</source>
        <translation>&amp;Free Line</translation>
    </message>
    <message>
        <source>線分記入</source>
        <translation>Free Line</translation>
    </message>
    <message>
        <source>文字記入</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>ｼﾝｸﾞﾙｺｲﾙ</source>
        <translation>Single Coil</translation>
    </message>
    <message>
        <source>記入</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Humidrawについて(&amp;A)</source>
        <translation>&amp;About Humidraw</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>作成(&amp;D)</source>
        <translation>&amp;Draw</translation>
    </message>
    <message>
        <source>自動記入(&amp;A)</source>
        <translation>&amp;Automatic Drawing</translation>
    </message>
    <message>
        <source>ｼﾝｸﾞﾙｺｲﾙ方式(&amp;S)</source>
        <translation>&amp;Single Coil System</translation>
    </message>
    <message>
        <source>設定(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Humidraw ﾂｰﾙﾊﾞｰ1</source>
        <translation>Humidraw Toolbar 1</translation>
    </message>
    <message>
        <source>Humidraw 線の設定</source>
        <translation>Humidraw Line Settings</translation>
    </message>
    <message>
        <source> 色：</source>
        <translation> Colour:</translation>
    </message>
    <message>
        <source> 幅：</source>
        <translation> Width:</translation>
    </message>
    <message>
        <source> 線種：</source>
        <translation> Style:</translation>
    </message>
    <message>
        <source>Humidrawのﾃﾞｰﾀ (*.hdw *.HDW);;全てのﾌｧｲﾙ (*)</source>
        <translation>Humidraw data (*.hdw *.HDW);;All files (*)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は浮動小数点数ではありません</source>
        <translation>&apos;%1&apos; is not a floating-point number</translation>
    </message>
    <message>
        <source>線分作成</source>
        <translation>Draw Line</translation>
    </message>
    <message>
        <source>ポイント作成</source>
        <translation>Create Point</translation>
    </message>
    <message>
        <source>違う種類のデータを入力して下さい</source>
        <translation>Enter two different kinds of data</translation>
    </message>
    <message>
        <source>この組み合わせでは計算できません</source>
        <translation>This combination cannot be computed</translation>
    </message>
    <message>
        <source>全データを消去します。</source>
        <translation>All data will be erased.</translation>
    </message>
    <message>
        <source>現在編集中の図面を保存しますか？</source>
        <translation>Save the drawing being edited?</translation>
    </message>
    <message>
        <source>ファイルを作成出来ません．
</source>
        <translation>Cannot create the file.
</translation>
    </message>
    <message>
        <source>データファイルを読込できません.
</source>
        <translation>Cannot read the data file.
</translation>
    </message>
    <message>
        <source>図形が%1を超えているため、最初の%1個だけを読み込みました（%2個は読み込まれません）</source>
        <translation>The file holds more than %1 objects: only the first %1 were read (%2 were left out)</translation>
    </message>
    <message>
        <source>エラーメッセージ</source>
        <translation>Error Message</translation>
    </message>
    <message>
        <source>ファイルが見つかりません</source>
        <translation>The file is not found</translation>
    </message>
    <message>
        <source>Windowsﾒﾀﾌｧｲﾙ (*.wmf);;ｴﾝﾊﾝｽﾄﾞﾒﾀﾌｧｲﾙ (*.emf);;全てのﾌｧｲﾙ (*);;SVG (*.svg);;PDF (*.pdf);;PNG (*.png)</source>
        <translation>Windows metafile (*.wmf);;Enhanced metafile (*.emf);;All files (*);;SVG (*.svg);;PDF (*.pdf);;PNG (*.png)</translation>
    </message>
    <message>
        <source>湿り空気線図</source>
        <translation>Psychrometric Chart</translation>
    </message>
    <message>
        <source>印刷処理が終了しました</source>
        <translation>Printing has finished</translation>
    </message>
    <message>
        <source>印刷処理が中断されました</source>
        <translation>Printing was interrupted</translation>
    </message>
    <message>
        <source>他のｱﾌﾟﾘｹｰｼｮﾝ側で貼り付け(Ctrl+V)して下さい。
グラフを複写することができます.
但し、ｱﾌﾟﾘｹｰｼｮﾝによっては、正常にコピーできません.</source>
        <translation>Paste (Ctrl+V) in the other application
to copy the chart there.
Some applications cannot paste it correctly.</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>選択(&amp;S)</source>
        <translation>&amp;Select</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>すべて選択(&amp;L)</source>
        <translation>Select A&amp;ll</translation>
    </message>
    <message>
        <source>選択した図形の削除(&amp;D)</source>
        <translation>&amp;Delete Selected Objects</translation>
    </message>
    <message>
        <source>最近使ったファイル</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>%1 は既にあります。
置き換えますか?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>図面の大気圧 %1mmHg は範囲外のため、760mmHg で描きます</source>
        <translation>The drawing&apos;s pressure of %1 mmHg is out of range; the chart is drawn at 760 mmHg</translation>
    </message>
    <message>
        <source>この図面の線・点・表の値は 760mmHg で計算されています。図は図面の大気圧 %1mmHg で描きます。</source>
        <translation>The lines, points and table values of this drawing were computed at 760 mmHg. The chart is drawn at the drawing&apos;s pressure of %1 mmHg.</translation>
    </message>
    <message>
        <source>状態点を置く(&amp;P)</source>
        <translation>&amp;Place an Air State</translation>
    </message>
    <message>
        <source>図上をクリックして状態点を置く</source>
        <translation>Place an air state by a click on the chart</translation>
    </message>
    <message>
        <source>状態点を入力(&amp;I)...</source>
        <translation>&amp;Input an Air State...</translation>
    </message>
    <message>
        <source>状態変化を追加(&amp;C)...</source>
        <translation>Add a &amp;Process...</translation>
    </message>
    <message>
        <source>状態点と状態変化の表(&amp;T)</source>
        <translation>&amp;Tables of States and Processes</translation>
    </message>
    <message>
        <source>設計(&amp;S)</source>
        <translation>De&amp;sign</translation>
    </message>
    <message>
        <source>空調機設計(&amp;U)...</source>
        <translation>Air-Handling &amp;Unit Design...</translation>
    </message>
</context>
<context>
    <name>THumidrawAbout</name>
    <message>
        <source>© Humidraw developers. 空気線図作成ソフト</source>
        <translation>© Humidraw developers. Psychrometric chart software</translation>
    </message>
</context>
<context>
    <name>TID_Point</name>
    <message>
        <source>Humidraw ポイント作成</source>
        <translation>Humidraw Create Point</translation>
    </message>
    <message>
        <source>データ入力</source>
        <translation>Data entry</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ｺﾏﾝﾄﾞ終了</source>
        <translation>End Command</translation>
    </message>
</context>
<context>
    <name>TMk_Line</name>
    <message>
        <source>Humidraw 状態変化直線の作成</source>
        <translation>Humidraw State Change Line</translation>
    </message>
    <message>
        <source>始点のデータ入力</source>
        <translation>Start point data</translation>
    </message>
    <message>
        <source>始点に○印を記入する</source>
        <translation>Mark the start point with a circle</translation>
    </message>
    <message>
        <source>始点の記号：</source>
        <translation>Start point label:</translation>
    </message>
    <message>
        <source>終点のデータ入力</source>
        <translation>End point data</translation>
    </message>
    <message>
        <source>終点に○印を記入する</source>
        <translation>Mark the end point with a circle</translation>
    </message>
    <message>
        <source>終点の記号：</source>
        <translation>End point label:</translation>
    </message>
    <message>
        <source>文字基点：</source>
        <translation>Text anchor:</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
